#include "model/Item.h"
#include "model/ItemTypes.h"
#include "model/OutputPaths.h"
#include "model/Folder.h"
#include "model/PublishContext.h"
#include "model/TextStyle.h"
#include "model/Translate.h"
#include "model/items/SubmitButtonItem.h"
#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/Png.h"
#include <cstring>
#include <deque>
#include <mutex>
#include <string_view>
#include <unordered_set>

namespace {

// Every font ever laid out, each once; never shrinks (a session meets few distinct fonts).
const LOGFONT* InternFont(const LOGFONT& font)
{
    static std::mutex lock;
    static std::deque<LOGFONT> fonts;
    static std::unordered_set<std::string_view> index;
    const std::string_view bytes(reinterpret_cast<const char*>(&font), sizeof font);
    // Items laid out one after the other mostly share their font.
    thread_local const LOGFONT* last = nullptr;
    if (last && std::memcmp(last, &font, sizeof font) == 0)
        return last;
    std::lock_guard<std::mutex> hold(lock);
    auto found = index.find(bytes);
    if (found == index.end()) {
        fonts.push_back(font);
        found = index.insert(std::string_view(reinterpret_cast<const char*>(&fonts.back()), sizeof font)).first;
    }
    last = reinterpret_cast<const LOGFONT*>(found->data());
    return last;
}

} // namespace

CSharedFont::CSharedFont() : m_p(InternFont(LOGFONT{})) {}

CSharedFont& CSharedFont::operator=(const LOGFONT& font)
{
    m_p = InternFont(font);
    return *this;
}

CItemActions& CItemActions::operator=(const CItemActions& other)
{
    if (this == &other)
        return *this;
    if (other.IsEmpty()) {
        m_p.reset();
        return *this;
    }
    CItemAction* mine = Own();
    for (int e = 0; e < EVENT_COUNT; ++e)
        mine[e] = other[e];
    return *this;
}

CItemAction* CItemActions::Own()
{
    if (!m_p)
        m_p = std::make_unique<CItemAction[]>(EVENT_COUNT);
    return m_p.get();
}

const CItemAction* CItemActions::Read() const
{
    static const CItemAction kNone[EVENT_COUNT];
    return m_p ? m_p.get() : kNone;
}

bool CItemActions::IsEmpty() const
{
    for (const CItemAction& action : *this)
        if (!action.IsEmpty())
            return false;
    return true;
}

void CItemActions::Serialize(CArchive& ar, int version)
{
    if (ar.IsStoring()) {
        // without actions, empty ones are written
        CItemAction blank[EVENT_COUNT];
        CItemAction* actions = m_p ? m_p.get() : blank;
        for (int e = 0; e < EVENT_COUNT; ++e)
            actions[e].Serialize(ar, version);
        return;
    }
    m_p = std::make_unique<CItemAction[]>(EVENT_COUNT);
    for (int e = 0; e < EVENT_COUNT; ++e)
        m_p[e].Serialize(ar, version);
    if (IsEmpty())
        m_p.reset();
}

void CItemActions::SerializeExtra(CArchive& ar)
{
    if (m_p) {
        for (int e = 0; e < EVENT_COUNT; ++e)
            m_p[e].SerializeExtra(ar);
        return;
    }
    // no steps to take conditions: a reader drops what the extras hold, as for any step
    // the body did not hold
    for (int e = 0; e < EVENT_COUNT; ++e) {
        CItemAction none;
        none.SerializeExtra(ar);
    }
}

CItem::CItem() = default;

CItem::~CItem()
{
    // Padding and fill first, then the members, then the root part.
    m_pPadding.reset();
    m_pFill.reset();
}

void CItem::MakeFillAndPadding()
{
    if (!m_pFill)
        m_pFill = std::make_unique<CFillStyle>();
    if (!m_pPadding)
        m_pPadding = std::make_unique<CBoxSpacing>();
}

void CItem::OnBlobLoaded(const CString& title)
{
    m_strName = SafeHtmlId(title);
}

void SetSafeItemName(CItem& item, const char* name)
{
    item.m_strName = (name && *name) ? SafeHtmlId(name) : CString();
}

CString CItem::GetFileName() const
{
    return (m_strBaseName.IsEmpty() ? m_strName : m_strBaseName) + m_strExtension;
}

namespace {

using archive_io::Io;

// Presence flag of an owned record, then the record. Loading a present record makes it
// first when missing; an absent one leaves what the item has.
template <typename T> void IoOwned(CArchive& ar, std::unique_ptr<T>& p, int version)
{
    int present = p ? 1 : 0;
    Io(ar, present);
    if (!present)
        return;
    if (ar.IsLoading() && !p)
        p = std::make_unique<T>();
    p->Serialize(ar, version);
}

} // namespace

void CItem::Serialize(CArchive& ar, int version)
{
    CSiteObject::Serialize(ar, version);
    m_strText.Serialize(ar);
    m_actions.Serialize(ar, version);
    for (CBorderSide& side : m_borders)
        side.Serialize(ar, version);
    Io(ar, m_strName);
    Io(ar, m_bSelected);
    Io(ar, m_nX);
    Io(ar, m_nY);
    Io(ar, m_nWidth);
    Io(ar, m_nHeight);
    Io(ar, m_nTextAlign);
    Io(ar, m_nHeightMode);
    Io(ar, m_nWidthMode);
    Io(ar, m_strFontFace);
    Io(ar, m_nFontSize);
    Io(ar, m_crText);
    Io(ar, m_nPadding);
    Io(ar, m_nBold);
    Io(ar, m_nItalic);
    Io(ar, m_nDecoration);
    Io(ar, m_nLetterSpacing);
    Io(ar, m_bHidden);
    Io(ar, m_bPositioned);
    Io(ar, m_bRawText);
    Io(ar, m_nCursor);
    Io(ar, m_nIcon);
    Io(ar, m_nIconShading);
    Io(ar, m_bIconShadow);
    Io(ar, m_crIcon);
    IoOwned(ar, m_pFill, version);
    IoOwned(ar, m_pPadding, version);

    const bool store = ar.IsStoring();
    if (store || version >= 85)
        Io(ar, m_nZIndex);
    if (store || version >= 86)
        Io(ar, m_nTabIndex);
    if (store || version >= 88) {
        Io(ar, m_strClass);
        Io(ar, m_strExtraCss);
        Io(ar, m_nBlockAlign);
        Io(ar, m_nArchivedFirst);
        Io(ar, m_dArchivedFirst);
        Io(ar, m_nArchivedSecond);
        Io(ar, m_dArchivedSecond);
        Io(ar, m_bInclude);
        Io(ar, m_bDisplayNone);
        Io(ar, m_nBorderRadius);
        Io(ar, m_nBoxShadowX);
        Io(ar, m_nBoxShadowY);
        Io(ar, m_nBoxShadowBlur);
        Io(ar, m_crBoxShadow);
    }
    if (store || version >= 89) {
        Io(ar, m_bBoxShadow);
        Io(ar, m_nBoxShadowSpread);
        Io(ar, m_strAnchor);
        Io(ar, m_nOpacity);
        Io(ar, m_nBorderRadius); // written twice; the later copy stands
        Io(ar, m_bTextShadow);
        Io(ar, m_nTextShadowX);
        Io(ar, m_nTextShadowY);
        Io(ar, m_nTextShadowBlur);
        Io(ar, m_crTextShadow);
        Io(ar, m_nTextShadowExtra);
        for (COLORREF& c : m_crExtra)
            Io(ar, c);
        Io(ar, m_nArchivedHundred);
        Io(ar, m_dTransition);
    }
    if (store || version >= 90)
        m_strTitle.Serialize(ar);
    if (store || version >= 91)
        m_margin.Serialize(ar, version);
    if (store || version >= 92)
        Io(ar, m_strWebFont);
    m_link.Serialize(ar, version);
    if (!store) {
        // Numbers of a damaged file or paste may be anything: each is held to what a page
        // can use, so that the sizes and fonts computed from them never overflow.
        auto hold = [](int& v, int low, int high) { v = std::clamp(v, low, high); };
        for (int* v : {&m_nX, &m_nY, &m_nWidth, &m_nHeight})
            hold(*v, -1000000, 1000000);
        hold(m_nFontSize, -1000, 1000);
        for (int* v : {&m_nPadding, &m_nLetterSpacing, &m_nBorderRadius, &m_nBoxShadowX, &m_nBoxShadowY, &m_nBoxShadowBlur,
                       &m_nBoxShadowSpread, &m_nTextShadowX, &m_nTextShadowY, &m_nTextShadowBlur})
            hold(*v, -100000, 100000);
    }
}

void CItem::CollectItems(CItemList& /*list*/)
{
}

void CItem::SetSiteStyles(CSiteStyles* styles)
{
    m_pBaseStyle = styles ? &styles->m_base : nullptr;
    m_pLinkStyle = styles ? &styles->m_link : nullptr;
}

CString CItem::Describe()
{
    const char* name = GetItemTypeName(m_nType);
    CString s = *name ? Translate(name) : CString();
    if (!m_strName.IsEmpty())
        s += " \"" + m_strName + "\"";
    s.AppendFormat(" [ %d x %d ]", m_nWidth, m_nHeight);
    if (!m_strFontFace.IsEmpty())
        s += " " + m_strFontFace;
    if (m_nFontSize > 0)
        s.AppendFormat(" %dpt", m_nFontSize);
    // onMouseUp has no suffix; onFocus comes before onBlur here.
    static const struct {
        int event;
        const char* suffix;
    } kSuffixes[] = {
        {EVENT_CLICK, " onClick"}, {EVENT_MOUSE_OVER, " onOver"}, {EVENT_MOUSE_OUT, " onOut"},
        {EVENT_FOCUS, " onFocus"}, {EVENT_BLUR, " onBlur"}, {EVENT_CHANGE, " onChange"},
    };
    for (const auto& e : kSuffixes)
        if (!std::as_const(m_actions)[e.event].IsEmpty())
            s += e.suffix;
    return s;
}

void CItem::TextSizeDown()
{
    if (m_nFontSize > 0) {
        if (m_nFontSize > 6)
            --m_nFontSize;
    } else if (m_pBaseStyle) {
        m_nFontSize = m_pBaseStyle->m_nSize - 1;
    }
}

void CItem::TextSizeUp()
{
    if (m_nFontSize > 0)
        ++m_nFontSize;
    else if (m_pBaseStyle)
        m_nFontSize = m_pBaseStyle->m_nSize + 1;
}

void CItem::OnResized()
{
}

void CItem::Draw(CDC* dc)
{
    DrawFill(dc);
    DrawBorders(dc);
}

void CItem::SetRect(int left, int top, int right, int bottom)
{
    if (m_bPositioned) {
        m_nX = left;
        m_nY = top;
    }
    if (right - left != m_nWidth) {
        m_nWidthMode = 0;
        m_nWidth = right - left;
    }
    if (bottom - top != m_nHeight) {
        m_nHeightMode = 0;
        m_nHeight = bottom - top;
    }
    OnResized();
    RecalcLayout();
}

CRect CItem::GetHandleRect(int n) const
{
    const int x = m_nX, y = m_nY, r = m_nX + m_nWidth, b = m_nY + m_nHeight;
    switch (n) {
    case 1: return CRect(x - 8, y - 8, x - 1, y - 1);
    case 2: return CRect(r + 1, y - 8, r + 8, y - 1);
    case 3: return CRect(x - 8, b + 1, x - 1, b + 8);
    case 4: return CRect(r + 1, b + 1, r + 8, b + 8);
    case 5: return CRect(x - 8, (y + b - 8) / 2, x, (y + b + 8) / 2);
    case 6: return CRect(r, (y + b - 8) / 2, r + 8, (y + b + 8) / 2);
    case 7: return CRect((x + r - 8) / 2, y - 8, (x + r + 8) / 2, y);
    case 8: return CRect((x + r - 8) / 2, b, (x + r + 8) / 2, b + 8);
    default: return CRect();
    }
}

int CItem::HitTest(CPoint point) const
{
    for (int n = 1; n <= 8; ++n)
        if (GetHandleRect(n).PtInRect(point))
            return n;
    return 0;
}

void CItem::DrawHandles(CDC* dc)
{
    if (!dc)
        return;
    CGdiObject* oldBrush = dc->SelectStockObject(WHITE_BRUSH);
    CGdiObject* oldPen = dc->SelectStockObject(BLACK_PEN);
    for (int n = 1; n <= 8; ++n)
        dc->Rectangle(GetHandleRect(n));
    if (oldBrush)
        dc->SelectObject(oldBrush);
    if (oldPen)
        dc->SelectObject(oldPen);
}

namespace {

// Width and colour of one effective side from a border record whose style is set.
void TakeBorder(const CBorderSide& side, int& width, COLORREF& colour)
{
    width = side.m_nWidth;
    colour = side.m_color;
}

void TakeBorders(const CBorderSide (&borders)[BORDER_COUNT], int (&widths)[4], COLORREF (&colours)[4])
{
    if (borders[BORDER_ALL].m_nStyle != 0)
        for (int i = 0; i < 4; ++i)
            TakeBorder(borders[BORDER_ALL], widths[i], colours[i]);
    if (borders[BORDER_LEFT].m_nStyle != 0)
        TakeBorder(borders[BORDER_LEFT], widths[SIDE_LEFT], colours[SIDE_LEFT]);
    if (borders[BORDER_TOP].m_nStyle != 0)
        TakeBorder(borders[BORDER_TOP], widths[SIDE_TOP], colours[SIDE_TOP]);
    if (borders[BORDER_RIGHT].m_nStyle != 0)
        TakeBorder(borders[BORDER_RIGHT], widths[SIDE_RIGHT], colours[SIDE_RIGHT]);
    if (borders[BORDER_BOTTOM].m_nStyle != 0)
        TakeBorder(borders[BORDER_BOTTOM], widths[SIDE_BOTTOM], colours[SIDE_BOTTOM]);
}

bool IsDivContainer(int type)
{
    switch (type) {
    case ITEM_PAGE: case ITEM_GROUP: case ITEM_FORM: case ITEM_SLIDER: case ITEM_MASTER: case ITEM_HEADER_FOOTER: return true;
    default: return false;
    }
}

// Whether the element an item writes into the page's flow takes its style's margins from
// the stylesheet: text blocks (paragraphs, headings, preformatted text, the paragraphs
// around links, list boxes, players and maps), a check box's caption box and the form
// controls of the element styles do. The kinds below stand in a plain div or a table, or are inline elements,
// whose vertical margins the browser leaves out.
bool FlowBlockTakesStyleMargins(const CItem& item)
{
    switch (item.m_nType) {
    case ITEM_TEXT: case ITEM_ARTISTIC_TEXT: case ITEM_MARQUEE: case ITEM_LIST: case ITEM_EMAIL: case ITEM_RADIO_CHOICE: case ITEM_IMAGE: case ITEM_IMAGE_BUTTON: case ITEM_GIF: case ITEM_IMAGE_CLONE:
    case ITEM_SYMBOL: case ITEM_SHAPE: case ITEM_MENU: case ITEM_CATEGORIES: case ITEM_FLASH: case ITEM_YOUTUBE:
    case ITEM_VIDEO_STREAM: case ITEM_PAYPAL: case ITEM_LIKE_BUTTON: case ITEM_FACEBOOK: case ITEM_EXTERNAL_IMAGE:
    case ITEM_HTML: case ITEM_JAVASCRIPT: case ITEM_PHP: case ITEM_EXTERNAL_WEBSITE: case ITEM_GALLERY: case ITEM_TABLE:
        return false;
    case ITEM_SUBMIT_BUTTON: // the stylesheet styles submit buttons only, not reset, file or colour ones
        if (const auto* button = dynamic_cast<const CSubmitButtonItem*>(&item))
            return button->m_nButtonKind == 0;
        return false;
    default: return true;
    }
}

// Margins are kept top, left, bottom, right.
void TakeMargins(const CBoxSpacing& box, int (&margins)[4])
{
    if (box.m_bTop)
        margins[0] = box.m_nTop;
    if (box.m_bLeft)
        margins[1] = box.m_nLeft;
    if (box.m_bBottom)
        margins[2] = box.m_nBottom;
    if (box.m_bRight)
        margins[3] = box.m_nRight;
}

} // namespace

void CItem::RecalcLayout()
{
    LOGFONT lf;
    SetLogFontFace(lf, "Times New Roman");
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    COLORREF text = 0;
    COLORREF back = COLORREF(-1);
    int padding[4] = {}, borders[4] = {}, margins[4] = {};
    COLORREF borderColours[4] = {};

    if (const CTextStyle* st = m_pBaseStyle) {
        SetLogFontFace(lf, st->m_strScreenFace);
        lf.lfHeight = st->m_nScreenHeight;
        if (!st->m_strFamily.IsEmpty())
            SetLogFontFace(lf, st->m_strFamily);
        if (st->m_nSize > 0)
            lf.lfHeight = -MulDiv(st->m_nSize, 4, 3);
        if (!tessel::ColorIsUnset(st->m_crText))
            text = st->m_crText;
        if (st->m_nBold == 1)
            lf.lfWeight = FW_BOLD;
        if (st->m_nItalic == 1)
            lf.lfItalic = 1;
        // The stylesheet gives the base style's box to p and span only: containers are
        // divs and take none of it (its bottom margin would open a gap under a band).
        if (!IsDivContainer(m_nType)) {
            for (int i = 0; i < 4; ++i) {
                padding[i] = st->m_nPadding;
                borders[i] = st->m_nBorderWidth;
                borderColours[i] = st->m_crBorder;
            }
            back = st->m_crBack;
            if (FlowBlockTakesStyleMargins(*this)) {
                margins[0] = st->m_nMarginTop;
                margins[2] = st->m_nMarginBottom;
            }
        }
    }
    if (const CStyleClass* sc = m_pStyleClass) {
        if (!sc->m_strFace.IsEmpty())
            SetLogFontFace(lf, sc->m_strFace);
        if (sc->m_nSize > 0)
            lf.lfHeight = -MulDiv(sc->m_nSize, 4, 3);
        if (!tessel::ColorIsUnset(sc->m_crColor))
            text = sc->m_crColor;
        if (sc->m_nBold == 1)
            lf.lfWeight = FW_BOLD;
        if (sc->m_nItalic == 1)
            lf.lfItalic = 1;
        if (sc->m_nPadding > 0)
            for (int& p : padding)
                p = sc->m_nPadding;
        TakeBorders(sc->m_borders, borders, borderColours);
        back = sc->m_fill.m_crColor;
        TakeMargins(sc->m_margin, margins);
    }
    if (!m_strFontFace.IsEmpty())
        SetLogFontFace(lf, m_strFontFace);
    if (m_nFontSize > 0)
        lf.lfHeight = -MulDiv(m_nFontSize, 4, 3);
    if (!tessel::ColorIsUnset(m_crText))
        text = m_crText;
    if (m_nBold == 1)
        lf.lfWeight = FW_BOLD;
    else if (m_nBold == 0)
        lf.lfWeight = FW_NORMAL;
    if (m_nItalic == 1 || m_nItalic == 0)
        lf.lfItalic = BYTE(m_nItalic);
    if (m_nDecoration == 1)
        lf.lfUnderline = 1;
    else if (m_nDecoration == 2)
        lf.lfStrikeOut = 1;
    TakeBorders(m_borders, borders, borderColours);
    if (m_nPadding > 0)
        for (int& p : padding)
            p = m_nPadding;
    TakeMargins(m_margin, margins);

    LOGFONT link = lf;
    COLORREF linkColour = text, linkBack = back;
    if (const CLinkStyle* ls = m_pLinkStyle) {
        if (!tessel::ColorIsUnset(ls->m_crColor))
            linkColour = ls->m_crColor;
        if (!tessel::ColorIsUnset(ls->m_crBack))
            linkBack = ls->m_crBack;
        if (ls->m_nBold == 0)
            link.lfWeight = FW_NORMAL;
        else if (ls->m_nBold == 1)
            link.lfWeight = FW_BOLD;
        if (ls->m_nItalic == 0 || ls->m_nItalic == 1)
            link.lfItalic = BYTE(ls->m_nItalic);
        link.lfUnderline = 0;
        link.lfStrikeOut = 0;
        if (ls->m_nDecoration == 1)
            link.lfUnderline = 1;
        else if (ls->m_nDecoration == 2)
            link.lfStrikeOut = 1;
    }
    if (m_pPadding) {
        if (m_pPadding->m_bLeft)
            padding[SIDE_LEFT] = m_pPadding->m_nLeft;
        if (m_pPadding->m_bTop)
            padding[SIDE_TOP] = m_pPadding->m_nTop;
        if (m_pPadding->m_bBottom)
            padding[SIDE_BOTTOM] = m_pPadding->m_nBottom;
        if (m_pPadding->m_bRight)
            padding[SIDE_RIGHT] = m_pPadding->m_nRight;
    }

    m_lfText = lf;
    m_lfLink = link;
    m_crLayoutText = text;
    m_crLayoutBack = back;
    m_crLayoutLink = linkColour;
    m_crLayoutLinkBack = linkBack;
    // Paddings, borders and margins of a damaged file or paste may be anything: each side
    // is held to what a page can show, so that sizes built from them never overflow.
    constexpr int kSideLimit = 100000;
    auto side = [](long long v) { return int(std::clamp<long long>(v, -kSideLimit, kSideLimit)); };
    for (int i = 0; i < 4; ++i) {
        m_nEffPadding[i] = side(padding[i]);
        m_nEffBorder[i] = side(borders[i]);
        m_crEffBorder[i] = borderColours[i];
        m_nEffMargin[i] = side(margins[i]);
        m_nInset[i] = m_nEffPadding[i] + m_nEffBorder[i];
    }
}

bool CItem::ExportFiles(CPublishContext& context)
{
    m_pParent = context.m_pWorkingFolder;
    if (m_pFill && !m_pFill->MakeImageFileName(context))
        return false;
    if (m_nIcon >= 1 && m_dib.IsValid()) {
        m_strImageName.Format("%d_%d_%d_%d.png", m_nIcon, int(m_crIcon), m_nIconShading, m_bIconShadow);
        const CString local = context.m_strOutputRoot + context.m_strCurrentFolder + m_strImageName;
        const PackedBitmapPtr packed = m_dib.CopyToGlobal();
        if (!context.AddWrittenFile(packed && SavePNG(local, *packed), local, context.m_strCurrentFolder + m_strImageName,
                kPublishFileItemBackground, &m_nUploadState))
            return false;
    }
    return true;
}

void CItem::SerializeExtra(CArchive& ar, int /*version*/)
{
    m_actions.SerializeExtra(ar);
    // The body may leave a reader's own fill in place where the writer had none, so the
    // presence travels with the fill's extras.
    int hasFill = m_pFill ? 1 : 0;
    Io(ar, hasFill);
    if (hasFill) {
        if (ar.IsLoading() && !m_pFill)
            m_pFill = std::make_unique<CFillStyle>();
        m_pFill->SerializeExtension(ar);
    }
}

// ---------------------------------------------------------------- item icons

namespace {

constexpr int kIconSize = 16;
constexpr int kIconShapes = 14;
constexpr int kIconCount = 41;
constexpr std::uint32_t kIconTransparent = 0xFF00FF; // magenta marks the cell's background
constexpr std::uint32_t kIconInk = 0x000000;         // takes the icon's colour
constexpr std::uint32_t kIconLight = 0xFFFFFF;       // highlight, kept as it is

// Whether (x, y) of a 16 x 16 cell lies inside shape s (coordinates of pixel centres).
bool InShape(int s, int x, int y)
{
    const double px = x + 0.5 - 8.0, py = y + 0.5 - 8.0;
    const double ax = px < 0 ? -px : px, ay = py < 0 ? -py : py;
    switch (s) {
    case 0: return px * px + py * py <= 36.0;                      // disc
    case 1: return ax <= 5.5 && ay <= 5.5;                          // square
    case 2: return ax + ay <= 7.0;                                  // diamond
    case 3: return px >= -5 && px <= 6 && ay <= (6 - px) / 2 + 0.5; // triangle pointing right
    case 4: return (ay <= 2 && px >= -6 && px <= 1) || (px > 1 && px <= 7 && ay <= 7 - px); // arrow
    case 5: return (ax <= 1.5 && ay <= 6.5) || (ay <= 1.5 && ax <= 6.5);                    // plus
    case 6: { const double d1 = px - py, d2 = px + py; return (d1 < 0 ? -d1 : d1) <= 2.0 && ax <= 6 && ay <= 6 ? true : ((d2 < 0 ? -d2 : d2) <= 2.0 && ax <= 6 && ay <= 6); } // cross
    case 7: return (py >= -1 && py <= 6 && px >= -6 && px <= -1 && py - px <= 8 && py - px >= 4) || (px >= -2 && px <= 7 && px + py >= 3 && px + py <= 7 && py <= 5); // check mark
    case 8: return ay <= 6.5 && ax <= 6.5 && (ax * 0.5 + ay <= 6.5) && (ay * 0.5 + ax <= 6.5); // octagon
    case 9: return ax <= 6.5 && ay <= 3.5;                          // bar
    case 10: return (px * px + py * py <= 49.0) && (px * px + py * py >= 16.0); // ring
    case 11: return py >= -5 && py <= 6 && ax <= (py + 5) / 2 + 0.5; // triangle pointing down
    case 12: return (ay <= 6.5 && ax <= 6.5) && ((px + 7) + (py + 7) >= 6) && ((7 - px) + (7 - py) >= 6) && ((px + 7) + (7 - py) >= 6) && ((7 - px) + (py + 7) >= 6); // rounded square
    default: { const double d = ax * 0.6 + ay; return d <= 6.5 || (ay <= 2.0 && ax <= 7.0) || (ax <= 2.0 && ay <= 7.0); } // star
    }
}

// Pixel (x, y) of icon cell `cell` (0-based) of the strip: 14 shapes, each filled,
// filled with a highlight, and as an outline.
std::uint32_t IconStripPixel(int cell, int x, int y)
{
    const int shape = cell % kIconShapes;
    const int style = cell / kIconShapes;
    if (!InShape(shape, x, y))
        return kIconTransparent;
    switch (style) {
    case 0:
        return kIconInk;
    case 1:
        // A small light patch towards the top left.
        return (x >= 4 && x <= 6 && y >= 4 && y <= 6) ? kIconLight : kIconInk;
    default: {
        const bool edge = !InShape(shape, x - 1, y) || !InShape(shape, x + 1, y) || !InShape(shape, x, y - 1) || !InShape(shape, x, y + 1)
            || x == 0 || y == 0 || x == kIconSize - 1 || y == kIconSize - 1;
        return edge ? kIconInk : kIconLight;
    }
    }
}

int Shade(int c, int mode, int x, int y)
{
    const int w = kIconSize, h = kIconSize;
    switch (mode) {
    case 1: return c * (h - y / 2) / h;
    case 2: return c * (y / 2 + h / 2) / h;
    case 3: return std::min(255, c + c * (x + y) / (w + h));
    case 4: return std::min(255, c + c * (w + h - x - y) / (w + h));
    default: return c;
    }
}

} // namespace

int GetItemIconCount()
{
    return kIconCount;
}

bool RenderItemIcon(CDib& picture, int icon, COLORREF colour, int shading, int shadow)
{
    // Numbers outside the strip (0 included) mean no icon.
    if (icon < 1 || icon > kIconCount) {
        picture.Free();
        return false;
    }
    const int size = shadow ? kIconSize + 1 : kIconSize;
    picture.Create(size, size);
    picture.FillRect(0xFF000000u);
    const int r = std::clamp(int(GetRValue(colour)), 0, 255);
    const int g = std::clamp(int(GetGValue(colour)), 0, 255);
    const int b = std::clamp(int(GetBValue(colour)), 0, 255);
    picture.BeginPixels();
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            std::uint32_t p = IconStripPixel(icon - 1, x, y);
            if (p == kIconTransparent)
                continue;
            if (p == 0)
                p = (std::uint32_t(Shade(r, shading, x, y)) << 16) | (std::uint32_t(Shade(g, shading, x, y)) << 8) | std::uint32_t(Shade(b, shading, x, y));
            if (shadow)
                picture.SetPixel(x + 1, y + 1, 0x00000000u);
            picture.SetPixel(x, y, p);
        }
    }
    picture.EndPixels();
    picture.SetOpaqueFlag(0);
    return true;
}
