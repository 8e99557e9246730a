#include "model/items/MarqueeItem.h"
#include "model/Escaping.h"
#include "model/HtmlWriting.h"
#include "model/ItemHtml.h"
#include "framework/core/Colors.h"
#include "model/PageOutput.h"

#include <algorithm>

void CMarqueeItem::Serialize(CArchive& ar, int version)
{
    using archive_io::Io;
    CParagraphItem::Serialize(ar, version);
    Io(ar, m_nDirection);
    Io(ar, m_nLoop);
    Io(ar, m_nScrollAmount);
}

void CMarqueeItem::WriteHtml(CPageOutput& out)
{
    CItem::RecalcLayout();
    CItem::WriteHtml(out);
    // The scrolling is a CSS animation: the <marquee> element is obsolete. The text
    // starts just past the right edge (a padding of the box's width) and moves until it
    // has left the box, at the marquee's speed of scrollamount pixels per 85 ms tick.
    static const char kKeyframes[] = "@keyframes tessel-marquee{from{transform:translateX(0)}to{transform:translateX(-100%)}}";
    if (out.m_strPageCss.Find(kKeyframes) < 0)
        out.AppendCssLine(kKeyframes);
    out.Append("<div");
    out.AppendAttribute("id", GetHtmlId());
    out.AppendAttribute("style", GetStyle() + "overflow:hidden;white-space:nowrap;");
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    out.Append(">");
    const int speed = std::max(1, m_nScrollAmount);
    const int travel = 2 * std::max(1, m_nWidth); // the box, then about as much text
    CString animation;
    animation.AppendFormat("display:inline-block;margin:0;padding-left:100%%;animation:tessel-marquee %dms linear %s%s;",
        std::max(100, travel * 85 / speed), m_nLoop > 0 ? CString::Formatted("%d", m_nLoop).GetString() : "infinite",
        m_nDirection == 1 ? " reverse" : "");

    CString font;
    if (!m_strFontFace.IsEmpty())
        font += "font-family:" + CssFontFamily(m_strFontFace) + ";";
    if (m_nFontSize > 0)
        font.AppendFormat("font-size:%dpt;", m_nFontSize);
    if (m_nTextAlign == 1)
        font += "text-align:right;";
    else if (m_nTextAlign == 2)
        font += "text-align:center;";
    if (m_nLetterSpacing != 0)
        font.AppendFormat("letter-spacing:%dpx;", m_nLetterSpacing);
    if (!tessel::ColorIsUnset(m_crText))
        font += "color:" + ColorToHtml(m_crText) + ";";
    if (m_nItalic == 1)
        font += "font-style:italic;";
    else if (m_nItalic == 0)
        font += "font-style:normal;";
    if (m_nBold == 1)
        font += "font-weight:bold;";
    else if (m_nBold == 0)
        font += "font-weight:normal;";
    if (m_nDecoration == 1)
        font += "text-decoration:underline;";
    else if (m_nDecoration == 2)
        font += "text-decoration:line-through;";
    else if (m_nDecoration == 3)
        font += "text-decoration:none;";
    out.Append("<p");
    out.AppendAttribute("style", font + animation);
    out.Append(">");
    WriteRichText(*this, out);
    out.Append("</p></div>");
    out.AppendLine();
}
