// Helpers of the document tests: projects in memory, recorded message boxes, a data
// folder of the test's own and an item whose writer fails.
#pragma once
#include "document/KJDoc.h"
#include "framework/core/MessageBox.h"
#include "model/GroupItem.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>

#include <vector>

namespace doctest {

// Records every message box while it lives and answers with the given button.
struct MessageRecorder {
    explicit MessageRecorder(int answer = IDOK);
    ~MessageRecorder();
    std::vector<CString> texts;
    std::vector<unsigned> types;
    MessageBoxHandler previous;
};

// Points the per-user data folder (backups) at a folder of the test.
struct DataHomeRedirect {
    ~DataHomeRedirect();
    void Redirect(const QString& folder);
    QByteArray old;
    bool active = false;
};

// A group whose writer fails, to break a save midway.
class FailingItem : public CGroupItem {
public:
    void Serialize(CArchive& ar, int version) override;
};

std::vector<BYTE> SaveToBytes(CKJDoc& doc);
// A save as of the given object counter (the one the project was first saved with: the
// counter of the process grows with every object made since).
std::vector<BYTE> SaveAtCounter(CKJDoc& doc, int counter);
// Loads through Serialize; throws what the reader throws.
void LoadFromBytes(CKJDoc& doc, const std::vector<BYTE>& bytes);
// Loads as the open command does (messages shown); false on failure.
bool OpenBytes(CKJDoc& doc, const std::vector<BYTE>& bytes);
QByteArray ReadFileBytes(const QString& path);
// A project holding every item type the factory makes, folders, textures, guides,
// named strings, masters, site files and a password.
void BuildRichProject(CKJDoc& doc);
// Settles every item's layout as the editor does when it shows the pages: bound to the
// site styles and measured at their final widths.
void SettleLayout(CKJDoc& doc);
// Offset of the texture count in a saved project.
std::size_t OffsetOfTextureCount(CKJDoc& doc);

} // namespace doctest
