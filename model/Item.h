// Base of every visible page item: geometry, HTML name, CSS class, text and its default
// formatting, link, fill, borders, margin and padding, the seven event actions, shadows,
// opacity and the icon. The virtual interface below is how the editor, the dialogs, the
// document and the site generator handle any item without knowing its type.
#pragma once
#include "framework/core/Geometry.h"
#include "model/Border.h"
#include "model/Dib.h"
#include "model/FillStyle.h"
#include "model/ItemAction.h"
#include "model/ItemLink.h"
#include "model/SiteObject.h"
#include "model/WString.h"
#include "framework/core/Gdi.h"
#include <memory>
#include <vector>

class CDC;
class CPageOutput;
class CPublishContext;
class CSiteStyles;
class CTextStyle;
class CLinkStyle;
class CStyleClass;
class CItem;

using CItemList = std::vector<CItem*>;

// Event order of the seven actions.
enum ItemEvent { EVENT_CLICK = 0, EVENT_MOUSE_OVER, EVENT_MOUSE_OUT, EVENT_MOUSE_UP, EVENT_BLUR, EVENT_FOCUS, EVENT_CHANGE, EVENT_COUNT };
// The seven actions of an item. Nearly every item has none: the actions are only held
// once one of them is written to (the non-const access), and read access without them
// gives empty actions.
class CItemActions {
public:
    CItemActions() = default;
    CItemActions(const CItemActions& other) { *this = other; }
    CItemActions& operator=(const CItemActions& other);
    CItemActions(CItemActions&&) noexcept = default;
    CItemActions& operator=(CItemActions&&) noexcept = default;

    CItemAction& operator[](int event) { return Own()[event]; }
    const CItemAction& operator[](int event) const { return Read()[event]; }
    CItemAction* begin() { return Own(); }
    CItemAction* end() { return Own() + EVENT_COUNT; }
    const CItemAction* begin() const { return Read(); }
    const CItemAction* end() const { return Read() + EVENT_COUNT; }
    bool IsEmpty() const;
    // The record's actions and their extras, in event order; loading keeps nothing when
    // every action read is empty.
    void Serialize(CArchive& ar, int version);
    void SerializeExtra(CArchive& ar);

private:
    CItemAction* Own();
    const CItemAction* Read() const;
    std::unique_ptr<CItemAction[]> m_p;
};

// A font an item is laid out with. Items laid out alike use the same few fonts, so each
// distinct font is held once for the whole process and an item keeps a pointer to it.
class CSharedFont {
public:
    CSharedFont();
    CSharedFont& operator=(const LOGFONT& font);
    operator const LOGFONT&() const { return *m_p; }
    const LOGFONT* operator->() const { return m_p; }
    const LOGFONT* Get() const { return m_p; }

private:
    const LOGFONT* m_p;
};

// Order of the five borders.
enum BorderIndex { BORDER_ALL = 0, BORDER_LEFT, BORDER_TOP, BORDER_RIGHT, BORDER_BOTTOM, BORDER_COUNT };
// Order of the effective per-side values (padding, border widths, insets).
enum SideIndex { SIDE_LEFT = 0, SIDE_TOP, SIDE_BOTTOM, SIDE_RIGHT };

// The version that undo snapshots and the private clipboard pass: above every gate.
constexpr int kVersionMemory = 0x10000;
// Ten times the project file's version number of the files written now.
constexpr int kVersionCurrent = 92;

class CItem : public CSiteObject {
public:
    CItem();
    ~CItem() override;

    // The base name, or the item name when there is none, then the extension.
    CString GetFileName() const override;
    // The item record (see Item.cpp for the field order and version gates).
    void Serialize(CArchive& ar, int version) override;
    // Appends every descendant item (groups only).
    virtual void CollectItems(CItemList& list);
    // Keeps pointers to the set's base text style and link style.
    virtual void SetSiteStyles(CSiteStyles* styles);
    // One-line description for the editor.
    virtual CString Describe();
    // Font size one point down / up.
    virtual void TextSizeDown();
    virtual void TextSizeUp();
    // Common HTML start of every item: anchor and web font.
    virtual void WriteHtml(CPageOutput& out);
    // Nothing; called after the size changed.
    virtual void OnResized();
    // Recomputes the effective style and layout font.
    virtual void RecalcLayout();
    // Editor painting.
    virtual void Draw(CDC* dc);
    // Moves (when positioned) and sizes the item; a changed dimension becomes fixed.
    virtual void SetRect(int left, int top, int right, int bottom);
    // Writes the item's files (background rendering, icon); always true.
    virtual bool ExportFiles(CPublishContext& context);
    // The inline CSS, without style= and quotes.
    virtual CString GetStyle();

    // Values the project layout has no place for, written after the whole body in the
    // same object order (the extension section of the project file, and the tail of undo
    // snapshots and clipboard streams). An override calls its base first; a group then
    // writes its children's extras head first. Both directions read
    // and write exactly what the other writes; the version is that of the body. The base
    // writes the extras of its seven actions (their steps' conditions), then a fill
    // presence flag and the fill's extension values.
    virtual void SerializeExtra(CArchive& ar, int version);

    // Editor painting of the background (colour, fill, style class fill) and the
    // borders (ItemPainting.cpp).
    void DrawFill(CDC* dc);
    void DrawBorders(CDC* dc);

    // Geometry helpers.
    CRect GetRect() const { return CRect(m_nX, m_nY, m_nX + m_nWidth, m_nY + m_nHeight); }
    CRect GetHandleRect(int n) const;
    int HitTest(CPoint point) const;
    void DrawHandles(CDC* dc);

    // HTML helpers (ItemHtml.cpp).
    // The id written for the item: its name with every blank and control character made
    // "_", or "id%d" with its serial when it has none; while a page is written, the id the
    // page gave it when another item on the page already has that one.
    CString GetHtmlId() const;
    // Set only while a page is written (never saved): see CPage::WriteHtml.
    CString m_strPageId;
    void WriteIdClassTitle(CPageOutput& out);
    void WriteEventAttributes(CPageOutput& out);
    void WriteTextBoxStyle(CPageOutput& out);
    void WriteParagraphEnd(CPageOutput& out);

    // Fields, in record order of meaning (see the record in Item.cpp).
    CString m_strName;
    int m_nWidth = 0, m_nHeight = 0;
    int m_nHeightMode = 1, m_nWidthMode = 0; // 0 fixed, 1 automatic, 2 minimum, 3 maximum
    int m_bPositioned = 0;
    int m_nX = 0, m_nY = 0;
    int m_bHidden = 0;
    int m_nZIndex = 0;
    CTextStyle* m_pBaseStyle = nullptr; // not owned
    CLinkStyle* m_pLinkStyle = nullptr; // not owned
    CString m_strClass;
    CStyleClass* m_pStyleClass = nullptr; // resolved from the class name by the document; not owned
    CItemLink m_link;
    std::unique_ptr<CFillStyle> m_pFill;
    CBorderSide m_borders[BORDER_COUNT];
    int m_nBorderRadius = 0;
    CBoxSpacing m_margin;
    std::unique_ptr<CBoxSpacing> m_pPadding;
    CItemActions m_actions;
    int m_nTextAlign = 0; // 0 none, 1 right, 2 center, 3 justify, 4 left
    int m_nCursor = 0;
    int m_bRawText = 0;
    CString m_strFontFace;
    CString m_strWebFont;
    int m_nFontSize = 0;
    int m_nPadding = 0;
    int m_nBold = 2, m_nItalic = 2;
    int m_nDecoration = 0;
    COLORREF m_crText = 0xFFFFFFFF;
    int m_nLetterSpacing = 0;
    CWString m_strText;
    CWString m_strTitle;
    int m_bSelected = 0;
    int m_nIcon = 0;
    COLORREF m_crIcon = 255;
    int m_nIconShading = 1;
    int m_bIconShadow = 0;
    CDib m_dib;
    CString m_strImageName;
    // Layout results (RecalcLayout).
    CSharedFont m_lfText;
    CSharedFont m_lfLink;
    COLORREF m_crLayoutText = 0;
    COLORREF m_crLayoutBack = 0xFFFFFFFF;
    COLORREF m_crLayoutLink = 0;
    COLORREF m_crLayoutLinkBack = 0xFFFFFFFF;
    int m_nEffPadding[4] = {};      // left, top, bottom, right
    int m_nEffBorder[4] = {};       // left, top, bottom, right
    COLORREF m_crEffBorder[4] = {}; // left, top, bottom, right
    int m_nEffMargin[4] = {};       // top, left, bottom, right
    int m_nInset[4] = {};           // left, top, bottom, right: border plus padding
    int m_nStrip[4] = {};           // left, top, bottom, right
    COLORREF m_crStrip[4] = {};
    int m_nLayoutWords[4] = {};
    int m_nTabIndex = 0;
    CString m_strExtraCss;
    int m_nBlockAlign = 0; // 0 left, 1 right, 2 centred
    // m_*Archived*: values of the record that nothing reads; kept so that a save writes
    // back what was loaded.
    int m_nArchivedFirst = 0;
    double m_dArchivedFirst = 0.5;
    int m_nArchivedSecond = 0;
    double m_dArchivedSecond = 2.0;
    int m_bInclude = 0;
    int m_bDisplayNone = 0;
    int m_bBoxShadow = 0;
    int m_nBoxShadowX = 0, m_nBoxShadowY = 0, m_nBoxShadowBlur = 0, m_nBoxShadowSpread = 0;
    COLORREF m_crBoxShadow = 0;
    int m_nOpacity = 100;
    CString m_strAnchor;
    int m_bTextShadow = 0;
    int m_nTextShadowX = 0, m_nTextShadowY = 0, m_nTextShadowBlur = 0, m_nTextShadowExtra = 0;
    COLORREF m_crTextShadow = 0;
    COLORREF m_crExtra[5] = {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000};
    int m_nArchivedHundred = 100;
    double m_dTransition = 0.0;

protected:
    // The HTML name from a file's title: letters, digits and "_", starting with a letter.
    void OnBlobLoaded(const CString& title) override;
    // Makes the fill and the cleared padding record most constructors give an item.
    void MakeFillAndPadding();
};

// Sets the item's HTML name from text: only ASCII letters, digits and "_" stay, a result
// that does not start with a letter gets "id" in front; an empty text empties the name.
void SetSafeItemName(CItem& item, const char* name);

// Renders an item icon (cell number of the icon strip, 1 up; 0 or out of range = none)
// into picture: 16 x 16, or 17 x 17 with a one-pixel shadow. False when no icon drawn.
bool RenderItemIcon(CDib& picture, int icon, COLORREF colour, int shading, int shadow);
// Number of cells of the icon strip.
int GetItemIconCount();

