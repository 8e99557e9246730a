#include "document/SiteCss.h"
#include "document/KJDoc.h"
#include "model/TextStyle.h"

void BuildSiteCss(const CKJDoc& doc, CString& css)
{
    const CSiteStyles& styles = doc.m_styles;
    // The base style, then the element styles in the order the style set writes them.
    const CTextStyle* const fonts[] = {
        &styles.m_base,
        &styles.m_styles[STYLE_H1], &styles.m_styles[STYLE_H2], &styles.m_styles[STYLE_H3],
        &styles.m_styles[STYLE_H4], &styles.m_styles[STYLE_H5], &styles.m_styles[STYLE_H6],
        &styles.m_styles[STYLE_PRE], &styles.m_styles[STYLE_INPUT_TEXT],
        &styles.m_styles[STYLE_INPUT_SUBMIT], &styles.m_styles[STYLE_TEXTAREA], &styles.m_styles[STYLE_SELECT],
    };
    for (const CTextStyle* style : fonts)
        css += WriteWebFontImports(style->m_strWebFont);

    CString background;
    doc.m_websiteBackground.WriteCss(background);
    css.AppendFormat("body { width:100%%; margin:%dpx; padding:0px; %s }\r\n", doc.m_nPageMargin, background.GetString());
    background.Empty();
    doc.m_allPagesBackground.WriteCss(background);
    css.AppendFormat("div.page { %s }\r\n", background.GetString());
    css += "p,pre,div,form,table,span,img,marquee { position:relative; padding:0px; margin:0px; text-align:left;}\r\n"
           "table { border-spacing:0px; border-collapse:collapse; }\r\n"
           "tr { vertical-align:top; }\r\n"
           "ol,ul { margin:0 0 0 20px; padding: 0px;}\r\n"
           "img { border:none; }\r\n"
           "li { background-repeat:no-repeat;  }\r\n";
    css += styles.WriteCss();
    for (const auto& styleClass : doc.m_styleClasses)
        css += styleClass->WriteCss();
}
