#include "model/ItemHtml.h"
#include "model/Escaping.h"
#include "framework/core/Colors.h"
#include "model/Folder.h"
#include "model/HtmlWriting.h"
#include "model/Item.h"
#include "model/OutputPaths.h"
#include "model/ItemAction.h"
#include "model/PageOutput.h"
#include "model/SiteFiles.h"

namespace {

// Folder chains are short; the bound only keeps a damaged (cyclic) chain finite.
constexpr int kMaxFolderDepth = 256;

} // namespace

CString GetRelativePath(const CFolder* from, const CFolder* to)
{
    if (from == to)
        return CString();
    CString prefix;
    int depth = 0;
    for (const CFolder* f = from; f && depth < kMaxFolderDepth; f = f->GetParentFolder(), ++depth)
        prefix += "../";
    CString path;
    depth = 0;
    for (const CFolder* f = to; f && depth < kMaxFolderDepth; f = f->GetParentFolder(), ++depth)
        path = SafeOutputName(f->GetFileName(), "folder") + "/" + path; // as the folder is written
    return prefix + path;
}

CString OutputFileHref(const CFolder* pageFolder, const CFolder* fileFolder, const char* fileName)
{
    return UrlEncodePath(GetRelativePath(pageFolder, fileFolder) + (fileName ? fileName : ""));
}

CString ItemFileHref(const CItem& item, const CPageOutput& out, const char* fileName)
{
    return OutputFileHref(out.m_pPageFolder, dynamic_cast<const CFolder*>(item.m_pParent), fileName);
}

CString CItem::GetHtmlId() const
{
    if (!m_strPageId.IsEmpty())
        return m_strPageId;
    if (m_strName.IsEmpty())
        return CString::Formatted("id%d", m_nSerial);
    // the name stays as typed; action steps find the element by the same mapping
    return HtmlIdOfName(m_strName);
}

void CItem::WriteHtml(CPageOutput& out)
{
    // The anchor is an id (the name attribute of <a> is obsolete); an anchor the item's own
    // id already is needs no second element, which would repeat the id.
    if (!m_strAnchor.IsEmpty() && m_strAnchor != GetHtmlId()) {
        out.Append("<a");
        out.AppendAttribute("id", m_strAnchor);
        out.Append("></a>");
    }
    if (!m_strWebFont.IsEmpty())
        out.m_webFonts.insert(m_strWebFont);
}

CString CItem::GetStyle()
{
    CString s;
    if (m_bPositioned)
        s.AppendFormat("position:absolute;left:%dpx;top:%dpx;", m_nX - m_nEffBorder[SIDE_LEFT], m_nY - m_nEffBorder[SIDE_TOP]);
    if (m_bHidden)
        s += "visibility:hidden;";
    static const char* const kHeight[4] = {"height", nullptr, "min-height", "max-height"};
    static const char* const kWidth[4] = {"width", nullptr, "min-width", "max-width"};
    if (m_nHeightMode >= 0 && m_nHeightMode < 4 && kHeight[m_nHeightMode])
        s.AppendFormat("%s:%dpx;", kHeight[m_nHeightMode], m_nHeight - m_nEffPadding[SIDE_TOP] - m_nEffPadding[SIDE_BOTTOM]);
    if (m_nWidthMode >= 0 && m_nWidthMode < 4 && kWidth[m_nWidthMode])
        s.AppendFormat("%s:%dpx;", kWidth[m_nWidthMode], m_nWidth - m_nEffPadding[SIDE_LEFT] - m_nEffPadding[SIDE_RIGHT]);
    static const char* const kCursors[8] = {nullptr, "default", "crosshair", "pointer", "move", "text", "wait", "help"};
    if (m_nCursor >= 1 && m_nCursor <= 7)
        s.AppendFormat("cursor:%s;", kCursors[m_nCursor]);
    if (m_nZIndex != 0)
        s.AppendFormat("z-index:%d;", m_nZIndex);
    if (!m_strFontFace.IsEmpty() || !m_strWebFont.IsEmpty()) {
        s += "font-family:";
        if (!m_strFontFace.IsEmpty())
            s += CssFontFamily(m_strFontFace);
        if (!m_strFontFace.IsEmpty() && !m_strWebFont.IsEmpty())
            s += ", ";
        if (!m_strWebFont.IsEmpty())
            s += CssFontFamily(m_strWebFont);
        s += ";";
    }
    if (m_nFontSize > 0)
        s.AppendFormat("font-size:%dpt;", m_nFontSize);
    if (m_nLetterSpacing != 0)
        s.AppendFormat("letter-spacing:%dpx;", m_nLetterSpacing);
    if (!tessel::ColorIsUnset(m_crText))
        s += "color:" + ColorToHtml(m_crText) + ";";
    if (m_nItalic == 1)
        s += "font-style:italic;";
    else if (m_nItalic == 0)
        s += "font-style:normal;";
    if (m_nBold == 1)
        s += "font-weight:bold;";
    else if (m_nBold == 0)
        s += "font-weight:normal;";
    if (m_nDecoration == 1)
        s += "text-decoration:underline;";
    else if (m_nDecoration == 2)
        s += "text-decoration:line-through;";
    else if (m_nDecoration == 3)
        s += "text-decoration:none;";
    if (m_nPadding > 0)
        s.AppendFormat("padding:%dpx;", m_nPadding);
    if (m_bDisplayNone == 1)
        s += "display:none;";
    if (m_nBorderRadius > 0)
        s.AppendFormat("border-radius:%dpx;", m_nBorderRadius);
    static const char* const kBorderNames[BORDER_COUNT] = {"border", "border-left", "border-top", "border-right", "border-bottom"};
    for (int i = 0; i < BORDER_COUNT; ++i)
        s += WriteBorderStyle(m_borders[i], kBorderNames[i]);
    if (m_pPadding)
        s += WritePaddingStyle(*m_pPadding);
    if (m_pFill)
        m_pFill->WriteCss(s);
    if (m_nOpacity != 100)
        s.AppendFormat("opacity:%f;filter:alpha(opacity=%d);", m_nOpacity / 100.0, m_nOpacity);
    s += m_strExtraCss;
    static const char* const kAlign[5] = {nullptr, "right", "center", "justify", "left"};
    if (m_nTextAlign >= 1 && m_nTextAlign <= 4)
        s.AppendFormat("text-align:%s;", kAlign[m_nTextAlign]);
    if (m_bBoxShadow)
        s.AppendFormat("box-shadow: %dpx %dpx %dpx %dpx %s;", m_nBoxShadowX, m_nBoxShadowY, m_nBoxShadowBlur, m_nBoxShadowSpread,
                       ColorToHtml(m_crBoxShadow).GetString());
    if (m_bTextShadow)
        s.AppendFormat("text-shadow: %dpx %dpx %dpx %s;", m_nTextShadowX, m_nTextShadowY, m_nTextShadowBlur,
                       ColorToHtml(m_crTextShadow).GetString());
    return s;
}

void CItem::WriteIdClassTitle(CPageOutput& out)
{
    out.AppendAttribute("id", GetHtmlId());
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    if (m_strTitle.GetLength() > 0) {
        // The system's convention: a double quote of a title shows as two apostrophes.
        CString title;
        m_strTitle.ToUtf8(title);
        title.Replace("\"", "''");
        out.AppendAttribute("title", title);
    }
}

void CItem::WriteEventAttributes(CPageOutput& out)
{
    CString click;
    std::as_const(m_actions)[EVENT_CLICK].GetScript(click);
    if (!click.IsEmpty() || m_link.m_nKind == kLinkPicture) {
        if (m_link.m_nKind == kLinkPicture) {
            const CString loading = SiteFileHref(out.m_pPageFolder, kOverlayLoadingFileName);
            click += "document.getElementById('dimimg').src = '" + EscapeJsString(loading)
                + "';document.getElementById('dimout').style.visibility = 'visible';document.getElementById('dimimg').src = '"
                + EscapeJsString(m_link.m_strPicture) + "';return false;";
            out.m_bOverlayUsed = 1;
        }
        out.AppendAttribute("onClick", click);
    }
    static const char* const kNames[EVENT_COUNT] = {nullptr, "onMouseOver", "onMouseOut", "onMouseUp", "onBlur", "onFocus", "onChange"};
    for (int i = EVENT_MOUSE_OVER; i < EVENT_COUNT; ++i) {
        CString script;
        std::as_const(m_actions)[i].GetScript(script);
        if (!script.IsEmpty())
            out.AppendAttribute(kNames[i], script);
    }
}

void CItem::WriteTextBoxStyle(CPageOutput& out)
{
    if (m_bPositioned)
        return;
    // A block, not a paragraph, so that block content of the item nests validly.
    CString style = WriteMarginStyle(m_margin, m_nBlockAlign);
    if (m_nTextAlign == 1)
        style += "Text-align:right;";
    else if (m_nTextAlign == 2)
        style += "Text-align:center;";
    // The block spans the line, so its automatic margins move nothing: the item inside is
    // inline and is placed as the block's text.
    else if (m_nBlockAlign == 1)
        style += "text-align:right;";
    else if (m_nBlockAlign == 2)
        style += "text-align:center;";
    out.Append("<div");
    out.AppendAttribute("style", style);
    out.Append(">");
}

void CItem::WriteParagraphEnd(CPageOutput& out)
{
    if (!m_bPositioned)
        out.Append("</div>");
}

CString FlowingFrameStyle(const CItem& item)
{
    return CString::Formatted("display:block;border:none;width:%dpx;height:%dpx;overflow:hidden;", item.m_nWidth, item.m_nHeight)
        + WriteMarginStyle(item.m_margin, item.m_nBlockAlign);
}

void WriteStreamMedia(CItem& item, CPageOutput& out, const char* element, const CString& address, bool autoplay,
    bool controls)
{
    out.Append("<");
    out.Append(element);
    CString style = item.GetStyle();
    // The box the item was given, unless GetStyle already set that side (mode 0 writes
    // "width"/"height"; a minimum or maximum leaves the side itself open).
    if (item.m_nWidthMode != 0)
        style.AppendFormat("width:%dpx;", item.m_nWidth);
    if (item.m_nHeightMode != 0)
        style.AppendFormat("height:%dpx;", item.m_nHeight);
    out.AppendAttribute("id", item.GetHtmlId());
    out.AppendAttribute("style", style);
    if (!item.m_strClass.IsEmpty())
        out.AppendAttribute("class", item.m_strClass);
    if (!address.IsEmpty())
        out.Append(" src=\"" + HtmlAttributeEscape(UrlEscapeUnsafe(address)) + "\"");
    if (controls)
        out.Append(" controls");
    if (autoplay)
        out.Append(" autoplay");
    // Browsers start no sound by themselves: without controls nobody could start it
    // either, so such a medium plays muted.
    if (autoplay && !controls)
        out.Append(" muted");
    out.Append("></");
    out.Append(element);
    out.Append(">");
}
