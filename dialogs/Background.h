// The background editor: one fill record of an item, a page, a band, a style class or the
// site, and the project's texture list from which a fill takes its picture; and the frame
// shape of a texture. Texture operations act on the project at once and register with
// the open edit scope, so that cancelling the scope puts the texture list back; the
// fill's own fields are written at OK.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/core/Types.h"
#include "framework/ui/Dialog.h"

#include <memory>

class CFillStyle;
class CItem;
class CKJDoc;
class CPicture;

extern const DlgTemplate kBackgroundTemplate;
extern const DlgTemplate kBackgroundShapeTemplate;

class DBackgroundShape : public CDialog {
public:
    explicit DBackgroundShape(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void UpdateControls();

    int m_nAngle = 0;
    int m_nLineWidth = 0; // index: 0 none, n pixels
    int m_nLineStyle = 0; // 0 flat, 1 outset, 2 inset, 3 bar, 4 metal, 5 glass
    int m_nShape = 0;     // 0 rectangle ... 15 triangle right
    int m_nRounding = 0;  // 0..1000
    COLORREF m_crLine = 0;

    // The six values from and to a texture.
    void From(const CPicture& picture);
    void To(CPicture& picture) const;
};

class DBackground : public CDialog {
public:
    explicit DBackground(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    int m_bApplyToAll = 0;
    CFillStyle* m_pFill = nullptr;
    CKJDoc* m_pDoc = nullptr;
    CString m_strCaption = "Background";
    int m_nPatternWidth = 100, m_nPatternHeight = 100;
    int m_bBrowserBackground = 0;
    int m_bShowApplyToAll = 0;
    int m_bAllowOpacity = 1;
    // A texture other fills may show was changed while the dialog was open.
    bool m_bTextureChanged = false;

    // The controls' rules, by the current state of the controls.
    void UpdateControls();
    void SetStartColorLabel();
    int GetKind() const;
    CPicture* GetSelectedTexture() const;

    void OnLoad();
    void OnCreate();
    void OnPaste();
    void OnDelete();
    void OnResize();
    void OnCrop();
    void OnShape();
    void OnShadow();
    void OnEdgeFadeout();
    void OnChooseFile();
    void OnRemoveBackground();

    // Adds a new texture to the document, the list and the fill's choice (kind texture);
    // the texture as kept, or null without a document.
    CPicture* AddNewTexture(std::unique_ptr<CPicture> texture);
    // The repetition a picture suggests: rows 0 and height-1 equal tile vertically,
    // columns 0 and width-1 equal horizontally (0 once, 1 vertical, 2 horizontal, 3 both).
    static int GuessRepeat(const CPicture& picture);

private:
    void SelectTexture(CPicture* picture);
    void RefreshSelectedCaption();
    // The selected texture about to be changed: kept for Cancel. Null when none.
    CPicture* TextureToChange();
};

// What a changed fill makes the site publish again.
struct FillTarget {
    enum class Kind { Item, Site, Stylesheet, Opener };
    Kind kind = Kind::Opener;
    CItem* item = nullptr;

    // The item, page, band or master that owns the fill: the pages that show it.
    static FillTarget Item(CItem& owner) { return {Kind::Item, &owner}; }
    // The browser and all-pages backgrounds: every page and the stylesheet.
    static FillTarget Site() { return {Kind::Site, nullptr}; }
    // A style class's fill: only the stylesheet holds it.
    static FillTarget Stylesheet() { return {Kind::Stylesheet, nullptr}; }
    // A fill whose owner is not in the site yet (or whose opener marks the change): the
    // opener's own edit scope marks what its change touches.
    static FillTarget Opener() { return {Kind::Opener, nullptr}; }
};

// Item(owner) when the project holds owner (a page, band, master or an item in one of
// them), Opener() for one not placed yet or without a project.
FillTarget FillTargetOf(const CKJDoc* doc, CItem& owner);

// The item's fill record, made now (an empty fill draws nothing) when the item was read
// without one, so that its Background button always has a fill to edit.
CFillStyle& FillOf(CItem& item);

// Runs the background editor on a fill inside an edit scope (joining the open one): after
// OK the fill is rendered and marked for upload, and what target names counts as changed
// (the whole site too when a texture other fills may show was changed); Cancel puts
// everything back. Returns the dialog's result.
int EditFill(CKJDoc* doc, CFillStyle* fill, const char* caption, QWidget* parent, FillTarget target,
             int patternWidth = 100, int patternHeight = 100, int* applyToAll = nullptr,
             bool browserBackground = false);
