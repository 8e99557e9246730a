#include "model/PageOutput.h"
#include "model/SiteFiles.h"
#include "model/Escaping.h"

namespace {

// One pass over the text, so long texts with many marks stay linear: markup characters
// escaped, each pair of blanks (from the left, without overlap) as " &nbsp;", and CR LF
// as "<br>" CR.
void AppendHtml(std::string& out, const std::string& text, bool escape, bool keepBlanks, bool breaks)
{
    out.reserve(out.size() + text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : 0;
        const char* ref = escape ? HtmlTextReference(c) : nullptr;
        if (ref)
            out += ref;
        else if (keepBlanks && c == ' ' && next == ' ')
            out += " &nbsp;", ++i;
        else if (breaks && c == '\r' && next == '\n')
            out += "<br>\r", ++i;
        else
            out += c;
    }
}

const char kCrLf[] = "\r\n";

} // namespace

CPageServers& CPageOutput::Servers()
{
    static CPageServers servers;
    return servers;
}

void CPageOutput::FlushPendingSurrogate()
{
    if (m_pendingHigh) {
        m_pendingHigh = 0;
        m_strBody += "\xEF\xBF\xBD";
    }
}

CPageOutput& CPageOutput::Append(const char* text)
{
    FlushPendingSurrogate();
    m_strBody += text;
    return *this;
}

CPageOutput& CPageOutput::AppendLine()
{
    return Append(kCrLf);
}

CPageOutput& CPageOutput::AppendText(const CWString& text)
{
    FlushPendingSurrogate();
    CString utf8;
    text.ToUtf8(utf8);
    AppendHtml(m_strBody.str(), utf8.str(), !m_bRawText, !m_bRawText, true);
    return *this;
}

CPageOutput& CPageOutput::AppendEscaped(const CWString& text)
{
    FlushPendingSurrogate();
    CString utf8;
    text.ToUtf8(utf8);
    AppendHtml(m_strBody.str(), utf8.str(), !m_bRawText, false, false);
    return *this;
}

CPageOutput& CPageOutput::AppendUtf8(const CWString& text)
{
    FlushPendingSurrogate();
    CString utf8;
    text.ToUtf8(utf8);
    m_strBody += utf8;
    return *this;
}

CPageOutput& CPageOutput::AppendAttribute(const char* name, const CString& value)
{
    return AppendAttributeSz(name, value.GetString());
}

CPageOutput& CPageOutput::AppendAttributeSz(const char* name, const char* value)
{
    FlushPendingSurrogate();
    m_strBody += ' ';
    m_strBody += name;
    m_strBody += "=\"";
    m_strBody += HtmlAttributeEscape(value);
    m_strBody += '"';
    return *this;
}

CPageOutput& CPageOutput::AppendAttributeInt(const char* name, int value)
{
    return AppendAttributeSz(name, CString::Formatted("%d", value).GetString());
}

CPageOutput& CPageOutput::AppendAttributeW(const char* name, const CWString& value)
{
    CString utf8;
    value.ToUtf8(utf8);
    return AppendAttributeSz(name, utf8.GetString());
}

CPageOutput& CPageOutput::AppendCssLine(const char* text)
{
    // Rules carry the items' extra CSS: nothing in them may end the style element.
    m_strPageCss += CssStyleElementText(text);
    m_strPageCss += kCrLf;
    return *this;
}

CPageOutput& CPageOutput::AppendHtmlChar(char16_t ch)
{
    char16_t units[2];
    int count = 0;
    if (ch >= 0xD800 && ch <= 0xDBFF) {
        FlushPendingSurrogate();
        m_pendingHigh = ch;
        return *this;
    }
    if (ch >= 0xDC00 && ch <= 0xDFFF && m_pendingHigh) {
        units[count++] = m_pendingHigh;
        m_pendingHigh = 0;
    } else {
        FlushPendingSurrogate();
    }
    units[count++] = ch;

    std::string text;
    if (ch == u'\r') {
        text = "<br>\r";
    } else if (ch == u' ') {
        const std::string& body = m_strBody.str();
        text = !m_bRawText && !body.empty() && body.back() == ' ' ? "&nbsp;" : " ";
    } else if (!m_bRawText && ch < 0x80 && HtmlTextReference(char(ch))) {
        text = HtmlTextReference(char(ch));
    } else {
        CWString w;
        w.SetText(std::u16string(units, size_t(count)).c_str());
        CString utf8;
        w.ToUtf8(utf8);
        text = utf8.str();
    }
    m_strBody += CString(std::move(text));
    return *this;
}

void CPageOutput::AssemblePage()
{
    FlushPendingSurrogate();
    const CPageServers& servers = Servers();
    CString& page = m_strFinalPage;
    page.Empty();
    CString utf8;

    if (m_wstrPhpCode.GetLength() > 0 && m_nMode > 0) {
        page += "<?php\r\n";
        utf8.Empty();
        m_wstrPhpCode.ToUtf8(utf8);
        page += utf8;
        page += "?>\r\n\r\n";
    }
    page += "<!DOCTYPE HTML>\r\n<html>\r\n<head>\r\n";
    page += "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">\r\n";

    utf8.Empty();
    m_wstrTitle.ToUtf8(utf8);
    page += "<title>";
    page += HtmlEscape(utf8);
    page += "</title>\r\n";

    utf8.Empty();
    m_wstrHeadText.ToUtf8(utf8);
    page += utf8;

    const struct { const char* name; const CWString* text; } metas[] = {
        {"description", &m_wstrDescription},
        {"keywords", &m_wstrKeywords},
    };
    for (const auto& meta : metas) {
        if (meta.text->GetLength() == 0)
            continue;
        utf8.Empty();
        meta.text->ToUtf8(utf8);
        page.AppendFormat("<meta name=\"%s\" content=\"", meta.name);
        page += HtmlEscape(utf8, true);
        page += "\">\r\n";
    }

    page += "\r\n<meta name=\"generator\" content=\"Varnelo Tessel Web Designer 8\">\r\n";
    page += "<link rel=stylesheet type='text/css' href='";
    page += HtmlAttributeEscape(UrlEncodePath(m_strStylesheetHref));
    page += "'>\r\n";

    if (m_bJqueryUsed) {
        page += "<script type=\"text/javascript\" src=\"";
        page += HtmlAttributeEscape(SiteFileHref(m_pPageFolder, kJqueryFileName));
        page += "\"></script>";
    }
    if (m_bMapsUsed) {
        page += "<script type=\"text/javascript\" src=\"";
        page += HtmlAttributeEscape(servers.mapsHost + "/maps/api/js?sensor=false");
        page += "\"></script>";
    }
    for (const CString& family : m_webFonts) {
        page += "<link href='";
        page += HtmlAttributeEscape(servers.fontsHost + "/css?family=" + UrlEncodeFormValue(family));
        page += "' rel='stylesheet' type='text/css'>\r\n";
    }

    page += "<style type=\"text/css\">\r\n";
    page += m_strPageCss;
    page += "</style>\r\n";
    page += m_strHeadExtras;
    page += "\r\n</head>\r\n\r\n";

    page += "<body";
    if (!m_strOnLoad.IsEmpty()) {
        page += " onLoad=\"";
        page += HtmlAttributeEscape(m_strOnLoad);
        page += "\"";
    }
    page += ">";
    page += m_strBody;

    if (m_bOverlayUsed) {
        const char hide[] = "document.getElementById('dimout').style.visibility = 'hidden';";
        page.AppendFormat("<div id=\"dimout\" style=\"width:100%%;height:100%%;position:absolute;left:0px;top:0px;"
                          "background-color:#404040;visibility:hidden;\" onclick=\"%s\">",
                          hide);
        page += "<table border=0 style=\"width:100%;height:100%;\"><tr><td></td></tr>";
        page += "<tr><td align=\"center\">";
        page += "<table border=0>";
        page += "<tr><td align=\"right\">";
        page += "<img alt=\"X\" src=\"";
        page += HtmlAttributeEscape(SiteFileHref(m_pPageFolder, kOverlayCloseFileName));
        page.AppendFormat("\" style=\"cursor:pointer;\" onclick=\"%s\">", hide);
        page += "</td></tr>";
        page += "<tr><td align=\"center\"><img id=\"dimimg\" alt=\"\" src=\"";
        page += HtmlAttributeEscape(SiteFileHref(m_pPageFolder, kOverlayLoadingFileName));
        page.AppendFormat("\" style=\"max-width:%dpx; padding:6px; background:white; border:solid gray 1px; cursor:pointer;\">"
                          "</td></tr></table></td></tr><tr><td></td></tr></table></div>",
                          m_nOverlayMaxWidth);
    }
    page += "</body>\r\n</html>\r\n";
}

void EscapeHtmlChar(CPageOutput& out, char16_t ch)
{
    out.AppendHtmlChar(ch);
}

CRawTextScope::CRawTextScope(CPageOutput& out, int raw) : m_out(out), m_saved(out.m_bRawText)
{
    out.m_bRawText = raw;
}

CRawTextScope::~CRawTextScope()
{
    m_out.m_bRawText = m_saved;
}
