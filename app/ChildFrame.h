// The window of one open project: a 32-pixel ruler strip along the top, the site tree
// down the left and the page view filling the rest; the gap between tree and view can
// be dragged to resize the tree.
#pragma once
#include "editor/ViewFrame.h"
#include "framework/ui/Frames.h"

#include <memory>

class CKJView;
class CPage;
class CSiteTreeCtrl;
class QTemporaryDir;
class CDC;

class CChildFrame : public CMDIChildWnd, public CViewFrame {
public:
    static constexpr int kRulerHeight = 32;
    static constexpr int kMinTreeWidth = 10;

    CChildFrame();
    ~CChildFrame() override;

    BOOL OnCreateClient(CView* view) override;

    // CViewFrame
    void SetRulerOffset(int offset) override { m_nRulerOffset = offset; }
    BOOL SetRulerText(const CString& text) override;
    void RepaintRulerStrip(int left, int top, int right, int bottom) override;
    QTreeWidget* GetSiteTree() const override;
    int GetTreeWidth() const override { return m_nTreeWidth; }

    CSiteTreeCtrl* SiteTree() const { return m_pSiteTree; }
    int GetRulerOffset() const { return m_nRulerOffset; }
    const CString& GetRulerText() const { return m_strRulerText; }
    // Where ruler position 0 lies in the frame (the page's left edge).
    int RulerZeroX() const;
    void SetTreeWidth(int width);
    // Paints the strip and the splitter gap.
    void PaintStrip(CDC* dc);
    // Page/Preview and Page/Preview in Browser, unless the view handles them: the site
    // is generated into the window's own temporary folder.
    void OnPagePreview();
    void OnPagePreviewInBrowser();
    // Counts the repaints that SetRulerText asked for.
    int m_nRulerTextRepaints = 0;

    // The frame places tree and view itself, so it has no layout to tell the MDI window
    // its size: without these, a maximised or cascaded window gave it no height at all.
    QSize sizeHint() const override { return QSize(800, 600); }
    QSize minimumSizeHint() const override { return QSize(kMinTreeWidth + 100, kRulerHeight + 60); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RecalcLayout();
    // Whether a frame point lies on the gap between site tree and view.
    bool InSplitterGap(QPoint at) const;
    // The view's page (the first page when none is shown) and the folder to write
    // the preview into; false when there is nothing to preview.
    bool PreparePreview(CKJView*& view, CPage*& page, CString& folder, const char* mode);

    int m_nRulerOffset = 0;
    CString m_strRulerText;
    CSiteTreeCtrl* m_pSiteTree = nullptr;
    int m_nTreeWidth = 140;
    bool m_bDragging = false;
    std::unique_ptr<QTemporaryDir> m_previewFolder;
};
