// The text of one page while it is generated: body, page CSS and head data, the flags
// that item writers raise, and the assembly of the final page. Made fresh per page.
#pragma once
#include "framework/core/CString.h"
#include "model/Escaping.h"
#include "model/HtmlWriting.h"
#include "model/WString.h"
#include <set>

class CFolder;

// Hosts of the outside services a page may reference. Only the hosts are ours to choose;
// the paths and queries are fixed by the writers.
struct CPageServers {
    CString mapsHost = "https://maps.googleapis.com";
    CString fontsHost = "https://fonts.googleapis.com";
};

class CPageOutput;

// Sets the raw-text flag for one writer and gives the previous value back when the
// writer ends, so that no item's choice leaks into the text written after it.
class CRawTextScope {
public:
    CRawTextScope(CPageOutput& out, int raw);
    ~CRawTextScope();
    CRawTextScope(const CRawTextScope&) = delete;
    CRawTextScope& operator=(const CRawTextScope&) = delete;

private:
    CPageOutput& m_out;
    int m_saved;
};

class CPageOutput {
public:
    CPageOutput() = default;
    CPageOutput(int mode, int overlayMaxWidth) : m_nMode(mode), m_nOverlayMaxWidth(overlayMaxWidth) {}

    // Each appends to the body and returns the record for chaining.
    CPageOutput& Append(const char* text);
    CPageOutput& Append(const CString& text) { return Append(text.GetString()); }
    CPageOutput& AppendLine();
    // HTML text: & > < escaped and runs of two spaces kept visible (unless raw text);
    // CR LF always becomes "<br>" CR.
    CPageOutput& AppendText(const CWString& text);
    // & > < escaped unless raw text; line breaks untouched.
    CPageOutput& AppendEscaped(const CWString& text);
    // UTF-8, nothing escaped (code the user wrote for the page).
    CPageOutput& AppendUtf8(const CWString& text);
    // ` name="value"` with & and " of the value escaped; pass raw text and scripts.
    CPageOutput& AppendAttribute(const char* name, const CString& value);
    CPageOutput& AppendAttributeSz(const char* name, const char* value);
    CPageOutput& AppendAttributeInt(const char* name, int value);
    CPageOutput& AppendAttributeW(const char* name, const CWString& value);
    // One rule line of the page's own CSS block.
    CPageOutput& AppendCssLine(const char* text);
    // One UTF-16 unit as HTML (EscapeHtmlChar).
    CPageOutput& AppendHtmlChar(char16_t ch);

    // Builds m_strFinalPage from the head fields, the page CSS and the body.
    void AssemblePage();

    // Hosts used by every page; tests and settings may change them.
    static CPageServers& Servers();

    CString m_strBody;
    CString m_strPageCss;
    CString m_strFinalPage;
    CString m_strStylesheetHref; // "../" per folder level, then the stylesheet's name
    CString m_strHeadExtras;     // site-wide head text, after the page CSS
    CString m_strOnLoad;         // script of the body's onLoad attribute
    CWString m_wstrPhpCode;      // placed before the doctype when the page is published
    CWString m_wstrDescription;
    CWString m_wstrTitle;        // page title, then a space and the site title when set
    CWString m_wstrKeywords;
    CWString m_wstrHeadText;     // the page's own head text, right after the title
    CFolder* m_pPageFolder = nullptr;
    int m_nMode = 0;             // copy of CPublishContext::m_nMode
    int m_bRawText = 0;          // when 1, text appends do not escape
    int m_bOverlayUsed = 0;      // an item shows pictures in the page overlay
    int m_nOverlayMaxWidth = 0;
    int m_bJqueryUsed = 0;
    int m_bMapsUsed = 0;
    std::set<CString> m_webFonts; // web-font families used on the page

private:
    void FlushPendingSurrogate();
    char16_t m_pendingHigh = 0; // first half of a pair written by AppendHtmlChar
};

// One UTF-16 unit as HTML into the page body (see CPageOutput for the raw-text flag).
// A high surrogate waits for its low half, so a pair written in two calls stays one
// character.
void EscapeHtmlChar(CPageOutput& out, char16_t ch);
