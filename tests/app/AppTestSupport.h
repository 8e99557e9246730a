// Shared pieces of the designer's shell tests: a private home folder and profile, a
// message recorder, a document type to open, and hooks that answer dialogs.
#pragma once
#include "framework/core/MessageBox.h"
#include "framework/ui/DocView.h"
#include "framework/ui/Frames.h"
#include "editor/ViewFrame.h"

#include <QtWidgets/QTreeWidget>
#include <memory>

#include <QtCore/QString>
#include <vector>

// The temporary home of the test program (set before the QApplication exists).
QString TestHome();
// Empties the profile.
void ClearProfile();

struct RecordedMessage {
    CString text;
    unsigned type;
};
class MessageRecorder {
public:
    explicit MessageRecorder(int answer = IDOK);
    ~MessageRecorder();
    std::vector<RecordedMessage> messages;

private:
    MessageBoxHandler m_previous;
};

// A project document that opens any existing file and a view that paints a page.
class FakeProject : public CDocument {
public:
    BOOL OnOpenDocument(const CString& path) override;
    BOOL OnSaveDocument(const CString& path) override;
};
class FakePageView : public CView {
protected:
    void paintEvent(QPaintEvent* event) override;
};
// Registers (or removes) the fake document type with the designer.
void UseFakeProjects(bool on);
// Writes a small file and returns its path.
QString MakeFile(const QString& name, const QByteArray& content = "project");

// The child frame as a view without a window around it sees it: a site tree, no ruler.
class SilentFrame : public CViewFrame {
public:
    void SetRulerOffset(int) override {}
    BOOL SetRulerText(const CString&) override { return TRUE; }
    void RepaintRulerStrip(int, int, int, int) override {}
    QTreeWidget* GetSiteTree() const override { return tree.get(); }
    int GetTreeWidth() const override { return 140; }
    std::unique_ptr<QTreeWidget> tree = std::make_unique<QTreeWidget>();
};
