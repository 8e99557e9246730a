// The page editor view: one page (or an entered container, or one site picture) on a
// fixed 6000 x 6000 canvas with the page's bands, master, items, grid, guides and
// selection handles; container navigation; the view state every command relies on.
#pragma once
#include "editor/ViewFrame.h"
#include "resources/CommandIds.h"
#include "framework/core/Geometry.h"
#include "framework/ui/DocView.h"
#include "framework/ui/Resources.h"

#include <QtCore/QStringList>
#include <QtGui/QImage>

#include <memory>
#include <vector>

class CDC;
class CDib;
class CGuide;
class CItem;
class CKJDoc;
class QImage;
class CPage;
class CPicture;
class CSiteObject;
class QCursor;
class QMenu;
class QScrollBar;
class CViewTool;
class CTextStyle;


// Update hints of the document.

class CKJView : public CView {
public:
    static constexpr int kCanvasSize = 6000;
    static constexpr int kMinGridStep = 5;
    static constexpr int kMaxGridStep = 100;

    CKJView();
    ~CKJView() override;

    // The project: the one set directly, else the one the framework document holds.
    CKJDoc* GetProject() const;
    void SetProject(CKJDoc* project) { m_pProject = project; }
    // The child frame (ruler strip and site tree): the one set directly, else the parent.
    CViewFrame* GetFrameWnd() const;
    void SetFrame(CViewFrame* frame) { m_pFrame = frame; }

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, long hint, void* hintObject) override;

    // Paints the whole canvas as seen through the view's scroll position.
    void OnDraw(CDC* dc);
    // The view painted into an image of its client size.
    QImage RenderClient();
    CPoint GetPageOrigin() const;
    // The scrollable area: kCanvasSize square, larger for a page that needs more room
    // (so that a tall page can be scrolled to its top and bottom).
    CSize GetCanvasSize() const;
    void PrepareEditDC(CDC* dc) const;
    // Canvas position of a client point and back (page units of the container).
    CPoint ClientToPage(CPoint client) const;
    CPoint PageToClient(CPoint page) const;

    // Navigation.
    void EnterContainer(CItem* container);
    void LeaveContainer();
    void SetCurrentPage(CItem* page);
    void ShowPicture(CPicture* picture);
    void CenterPage();
    void SyncFrameRuler();

    // Command files (editor/commands/) register their handlers on the view.
    using CCmdTarget::OnCommand;
    using CCmdTarget::OnUpdateCommand;

    // Edit/Undo: the newest snapshot read back; the view then edits the restored container.
    void OnEditUndo();
    void OnUpdateEditUndo(CCmdUI* ui);
    // Forgets every pointer into the model the view keeps besides page and container
    // (hover, drag, guide) and drops containers that no longer exist, after a change
    // that may have deleted or recreated items.
    void ResetViewPointers();

    // Selection: a flag on each child of the current container; only those children are
    // ever selected. Selecting is view state, not an edit.
    CItem* GetSelectedItem() const;
    std::vector<CItem*> GetSelectedItems() const;
    int CountSelected() const;
    void SelectItem(CItem* item);
    void DeselectAll();
    // Repaint requests for an item (grown by extra units), its handles, the selection
    // (1 when a selected child flows, and then the whole view), the selection's handles.
    void InvalidateItem(CItem* item, int extra = 0);
    void InvalidateHandles(CItem* item);
    int InvalidateSelection();
    void InvalidateSelectionHandles();
    // Hover state (item, handle, band, page edge, guide) of a client point.
    void HitTest(CPoint client);

    // Services of the editing and command issues, declared here so that commands and
    // dialogs have one place to call them.
    int DeleteSelectedItems();

    // ---------------------------------------------------------------- clipboard and arrangement
    // (commands/ClipboardCommands.cpp, commands/ArrangeCommands.cpp)
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditDelete();
    void OnEditDuplicate();
    void OnEditGroup();
    void OnEditUngroup();
    void OnEditGroupAsForm();
    void OnEditSelectAll();
    // The selection's item stream on the system clipboard; false when it did not get there.
    bool CopySelectionToClipboard();
    // Edit/Paste of a picture: the Paste Image dialog (name, size, format, placement), then
    // the picture placed as chosen.
    void PasteImageWithDialog(const QImage& image);
    // Pastes an item stream from untrusted bytes; false (a message shown, nothing changed)
    // when it is damaged.
    bool PasteItemBytes(const QByteArray& bytes, bool rename);
    // One item from a clipboard text: a table (TAB and line ends), a paragraph (line ends)
    // or a text; nothing for TABs without line ends. The caller's scope holds the change.
    CItem* PasteTextAsTable(const QString& text);
    // Local files dropped on the canvas, in the order given.
    void OnDropFiles(const QStringList& paths);
    void OnItemResize();
    void OnAlignPosition();
    void OnAlignStack(bool toFront);
    void OnAlignEdge(UINT id);
    void OnAlignSpaceEvenly(bool across);
    void OnAlignCenterOnPage();
    void OnAlignFitToPage();
    void OnAlignAddToFlow();
    void OnAlignFlowOrder(bool first);
    void OnInsideBoxResize();
    void OnAlignOverlapping();
    // One text style of the site in the Font Style dialog; true when it was changed.
    bool EditTextStyle(CTextStyle* style, const char* caption);
    void EditBorders(CItem* item);
    void EditItemBorders();

    // ---------------------------------------------------------------- formatting, style and
    // action commands (commands/FormatCommands.cpp, commands/ActionCommands.cpp)
    void OnStyleDefaultFont();
    void OnStyleHeading(int level); // 1..6
    void OnStylePreformatted();
    void OnNormalText();
    void OnStyleDefaultLink();
    void OnItemPadding();
    void OnItemBackground();
    void OnItemBorders();
    void OnItemTextColor();
    void OnItemFont();
    void OnLargerFont();
    void OnSmallerFont();
    void OnBold();
    void OnItalic();
    void OnUnderline();
    void SetTextAlign(int code);
    void OnTextAlign();
    void OnBoxAlign();
    void OnUpdateItemCommand(CCmdUI* ui);
    void OnUpdateTextStyleCommand(CCmdUI* ui);
    void OnUpdateTextAlignDialog(CCmdUI* ui);
    void OnUpdateBoxAlign(CCmdUI* ui);
    void OnItemEvent(int event); // On Click ... On Change
    void OnActionLink();
    void OnFormSendFormDataTo();
    void OnUpdateActionClickOut(CCmdUI* ui);
    void OnUpdateActionOnOver(CCmdUI* ui);
    void OnUpdateActionFocusBlur(CCmdUI* ui);
    void OnUpdateActionOnChange(CCmdUI* ui);
    void OnUpdateActionLink(CCmdUI* ui);

    // ---------------------------------------------------------------- canvas editing
    // (KJViewDrag.cpp, tools/, commands/GuideCommands.cpp)

    // Puts a new item (owned by the caller until now) into the current container: into
    // the flow at the place the user picks when the container has one, else absolutely,
    // centred when it has no position; with place, the item then follows the mouse until
    // the next press (mode 8). The caller's edit scope holds the change.
    void AddItemToPage(CItem* item, bool place);
    // Centres the item in the container (negative when it is larger).
    void CenterInContainer(CItem* item);
    // Copies the selection into the container, the copies selected and moved by (dx, dy);
    // with asClones picture items are copied as Image Clones. No undo step of its own.
    void CopySelection(int dx, int dy, bool asClones);
    // Moves the selected children by (dx, dy), taking flowing ones out of the flow.
    void MoveSelection(int dx, int dy);
    // Selects every child lying wholly inside the rectangle (nothing is deselected).
    void SelectItemsInRect(CRect rect);

    // Snapping (page units of the container): a pointer to the grid and to a guide within
    // 5 units; the offset that puts a rectangle's top-left on the grid or an edge beside
    // a guide within 10 units.
    CPoint SnapPoint(CPoint point) const;
    CSize SnapRect(const CRect& rect) const;
    // Where a dragged selection can go back into the flow: one zone under each flowing,
    // unselected child and one at the flow's start.
    struct DragOutline {
        int left = 0, top = 0, right = 0, bottom = 0;
        int hot = 0;
        CItem* item = nullptr; // the child a drop goes after; null for the start
    };
    void BuildDragOutlines();
    std::vector<DragOutline> m_dragOutlines;

    // Drag feedback: the client image kept when a drag starts, shown with the drag's
    // outline over it, so that a mouse move paints no item.
    void BeginDragFeedback();
    void EndDragFeedback();
    QImage DragFeedbackImage();
    // Forgets hover, drag and drop zones, ending a drag (mode 0,
    // capture released); run whenever the container or its items may have changed.
    void ClearInteraction();
    // Arrow keys: one "Move" undo step for a run of them; ends at another key, a press
    // or a command.
    void NudgeSelection(int dx, int dy);
    void EndArrowRun() { m_pArrowRunContainer = nullptr; }
    CItem* m_pArrowRunContainer = nullptr; // compared only, never followed
    const void* m_pArrowRunRecord = nullptr;
    // Runs the command once the current event has been handled, through the main window
    // when there is one.
    void PostViewCommand(UINT id);
    void OnDoubleClick(CPoint client);
    BOOL OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI) override;
    // Guide commands (Insert/Rulers, Insert/Margins, Ruler/Move, Duplicate, Delete).
    void OnInsertRulers();
    void OnInsertMargins();
    void OnRulerMove(bool duplicate);
    void OnRulerDelete();

    // Mouse modes: the tool of each drag mode (0 idle ... 8 placing a new item).
    void SetTool(int mode, std::unique_ptr<CViewTool> tool);
    CViewTool* ToolFor(int mode) const;
    // The canvas cursors 130 (default), 131 (copy), 136 (resize), 137 (crop).
    static const QCursor& ViewCursor(UINT id);
    void SetViewCursor(UINT id);
    void SetEdgeCursor(int edge);
    UINT m_nCursor = IDC_CURSOR_DEFAULT;

    // The context menu (menu 166): the popup for the hover state, built with its entries'
    // states; null for item kinds without a popup.
    int ContextPopupIndex() const;
    QMenu* CreateContextPopup(int index, QWidget* parent);
    void OnRightButtonDown(CPoint client, QPoint global);
    // Where commands of the context menu go: the main window when this view is active.
    CCmdTarget* CommandRoute();
    int m_nLastContextPopup = -1;
    bool m_bContextMenuModal = true; // tests build the popup without running it

    // ---- Page, website and site-tree commands (commands/PageCommands.cpp,
    // commands/SiteCommands.cpp)
    void OnPageSearchOptimization();
    void OnGoToPage();
    void OnPageInsert();
    void OnPageSetup();
    void OnPageBorders();
    void OnPagePadding();
    void OnPageMargin();
    void OnPageHeaderFooter();
    void OnPageHeight();
    void OnPageRenameMove();
    void OnPageDelete();
    void OnPageInsertMaster();
    void OnWebsiteNewFolder();
    void OnWebsiteLayout();
    void OnViewSource();
    void OnViewStyles();
    void OnPreviewOnline();
    void OnUpdatePageCommand(CCmdUI* ui);
    void OnUpdatePageCommand2(CCmdUI* ui);
    void OnUpdatePageDelete(CCmdUI* ui);
    // The site tree: the caret node's object, a choice of node, a double click on a
    // node's label, and the tree's own commands.
    CSiteObject* SelectedTreeObject() const;
    void OnSiteTreeSelChanged(CSiteObject* object);
    void OnSiteTreeDblClk(CSiteObject* object);
    void OnFolderRename();
    void OnFileDelete();
    void OnTextureDelete();
    // Selects the object's node as the caret selection (no page change of its own).
    void SelectTreeNode(const CSiteObject* object);
    // The first page made current when nothing is; false when there is none.
    bool EnsureCurrentContainer();

    // View state.
    void MarkPageChanged();
    void FillSiteTree();
    void RefreshTextureEntries();
    void OnViewBrowserFrame();
    void OnViewMobileDeviceFrame();
    void OnViewNextPage();
    void OnViewPreviousPage();
    void OnViewGrid();
    // Applies the Grid dialog's values (OK): posts Insert/Rulers when guides are newly
    // wanted and the project has none.
    void ApplyGridSettings(int gridOn, int guidesOn, int gridX, int gridY);
    void OnUpdateSelectionPane(CCmdUI* ui);
    void SetInfoText(const CString& text);

    // Grid steps as painted and snapped to: the stored values within 5..100.
    int GetGridStepX() const;
    int GetGridStepY() const;

    // Scrolling of the canvas.
    CPoint GetScrollPosition() const { return m_scroll; }
    void ScrollToPosition(CPoint position);
    // The scroll bars' ranges from the canvas size (kept when unchanged).
    void SyncScrollRanges();
    void CenterOnPoint(CPoint point);
    CSize GetClientSize() const;
    // The topmost row the container's painting uses, relative to its own top.
    int GetContentTop() const;
    int GetContentHeight() const;

    // ---- Image menu and Edit/Paste Into (commands/ImageCommands.cpp,
    // commands/ImageCommandsEdit.cpp)
    void OnImageContrastBrightness();
    void OnImageHue();
    void OnImageSaturation();
    void OnImageRemoveBackground();
    // A preview of an open adjustment dialog: the picture becomes the copy kept when the
    // command started, with the adjustment of that kind (0, 3, 13, 26) applied.
    void OnImageAdjustPreview(int kind, const int* values);
    void OnImageShadow();
    void OnImageFadeout();
    void OnImageRotate90CW();
    void OnImageRotate90CCW();
    void OnImageRotate180();
    void OnImageFlipHorizontal();
    void OnImageFlipVertical();
    void OnImageInvert();
    void OnImageConvertToBitmap();
    void OnImageMerge();
    void OnImageCloneImage();
    void OnImageChangeImage();
    void OnEditPasteInto();
    void OnImageCrop();
    void OnImageAngle();
    void OnImageOverColor();
    void OnUpdateImageCommand(CCmdUI* ui);
    void OnUpdateImageEffect(CCmdUI* ui);
    void OnUpdateImageOverColor(CCmdUI* ui);
    void OnUpdateImageCloneImage(CCmdUI* ui);
    void OnUpdateImageInvert(CCmdUI* ui);
    void OnUpdateImageConvertToBitmap(CCmdUI* ui);
    void OnUpdateImageMerge(CCmdUI* ui);
    void OnUpdateEditPasteInto(CCmdUI* ui);
    // The picture as it was when the running adjustment began (the previews' base).
    std::shared_ptr<CDib> m_pAdjustBase;

    // Model pointers (never owned).
    CPicture* m_pShownPicture = nullptr;
    CItem* m_pContainer = nullptr;
    CPage* m_pCurrentPage = nullptr;
    CItem* m_pHoverItem = nullptr;
    CItem* m_pHoverBand = nullptr;
    CGuide* m_pHoverGuide = nullptr;
    CPoint m_mousePoint;
    int m_bShiftDown = 0, m_bCtrlDown = 0;
    int m_nHoverHandle = 0;
    int m_nHoverPageEdge = 0;
    int m_nClipboardFlag = 0;
    CString m_strInfoText;
    int m_nLastInsertPosition = 1;
    struct DragState {
        CPoint start, current;
        int mode = 0;
        int handle = 0;
        double aspect = 1.0;
        CRect rect, startRect;
        CItem* item = nullptr;
        CPoint selectionTopLeft;
        CGuide* guide = nullptr;
    } m_drag;
    std::vector<CItem*> m_navigation; // back = top
    // Counts whole-view redraws (tests check that nothing was redrawn).
    int m_nRedrawCount = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The browser area around the current page (before the frame's minimum size) and
    // the frame's own minimum size.
    struct PageBox {
        int left = 0, top = 0, width = 0, height = 0;
    };
    PageBox ComputePageBox() const;
    // The canvas row to put in the middle of a window of that height.
    int CenteredY(int clientHeight) const;
    // After a size change: the page centred across and kept in view downwards.
    void KeepPageInView();
    void RedrawNow();
    void LayoutScrollBars();
    void DrawPicture(CDC* dc);
    void DrawNoContainer(CDC* dc);
    void DrawPage(CDC* dc);
    void DrawContainer(CDC* dc);
    void DrawGrid(CDC* dc);
    void DrawGuides(CDC* dc);
    void StepPage(bool forward);

    QRect PageRectToClient(const CRect& r) const;

    CKJDoc* m_pProject = nullptr;
    CViewFrame* m_pFrame = nullptr;
    std::unique_ptr<CViewTool> m_tools[9];
    CMenu m_contextMenu;
    CPoint m_scroll;
    QScrollBar* m_hBar = nullptr;
    QScrollBar* m_vBar = nullptr;
    bool m_bSyncingBars = false;
    // Drag feedback: the page image at drag start and the scroll position it was taken at.
    QImage m_dragImage;
    CPoint m_dragImageScroll;
};
