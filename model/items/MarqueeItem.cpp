#include "model/items/MarqueeItem.h"
#include "model/Escaping.h"
#include "model/HtmlWriting.h"
#include "model/ItemHtml.h"
#include "framework/core/Colors.h"
#include "model/PageOutput.h"

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
    out.Append("<marquee");
    if (m_nLoop > 0)
        out.AppendAttributeInt("loop", m_nLoop);
    if (m_nDirection == 0)
        out.AppendAttributeSz("direction", "left");
    else if (m_nDirection == 1)
        out.AppendAttributeSz("direction", "right");
    out.AppendAttributeInt("scrollamount", m_nScrollAmount);
    const CString style = GetStyle();
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    if (!m_strClass.IsEmpty())
        out.AppendAttribute("class", m_strClass);
    out.Append(">");

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
    if (!font.IsEmpty())
        out.AppendAttribute("style", font);
    out.Append(">");
    WriteRichText(*this, out);
    out.Append("</p></marquee>");
    out.AppendLine();
}
