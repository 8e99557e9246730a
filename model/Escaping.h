// Every escaping of generated text, one function per place a text can stand: element
// text, attribute values, addresses (paths, components, mailto parts), CSS strings,
// identifiers and block text, JavaScript strings, PHP literals and mail headers.
// Writers call these and never escape by hand. Texts are UTF-8 and end at their first
// NUL byte, so a NUL never reaches the output.
#pragma once
#include "framework/core/CString.h"

// ---------------------------------------------------------------- HTML

// The character reference that stands for one byte of element text ("&amp;", "&lt;",
// "&gt;"), or null when the byte stands as it is. Writers that transform text on the
// way (blanks, line breaks) escape through this one table.
const char* HtmlTextReference(char c);
// Element text: & < > escaped; with quotes, '"' too (for a meta tag's content).
CString HtmlEscape(const char* text, bool quotes = false);
// A double-quoted attribute value: & and " escaped, and the "<" of a PHP opener (scripts
// stay readable).
CString HtmlAttributeEscape(const char* text);
// Markup the user wrote (raw text mode) as a double-quoted attribute value: only '"' is
// escaped, so the user's own references stay as written.
CString HtmlQuoteEscape(const char* text);
// Every character as a numeric character reference, decimal or hexadecimal chosen at
// random per character (hides mail addresses from harvesters). Bytes that are not UTF-8
// read as Windows-1252.
CString EncodeCharRefs(const char* text);

// The id the element of an item of this name carries, and the id scripts find it by: each
// blank or control character becomes "_" (an id holds none, and a line break would also
// end the scripts that name the element). Other characters stay as typed.
CString HtmlIdOfName(const char* name);

// ---------------------------------------------------------------- addresses

// The bytes PercentEncode leaves as they are: ASCII letters and digits, the ASCII
// characters listed, and with nonAscii every byte of 0x80 and above (an address as typed
// keeps its letters).
struct PercentKeep {
    PercentKeep(const char* listed, bool nonAscii = false) : listed(listed), nonAscii(nonAscii) {}
    const char* listed;
    bool nonAscii;
};
// Every byte that keep does not hold as "%XX" (upper-case hexadecimal).
CString PercentEncode(const char* text, PercentKeep keep);

// A relative address made safe for an attribute and for the server: every byte other
// than letters, digits and "/-._~" is percent-encoded.
CString UrlEncodePath(const char* text);
// A value inside a query or a path segment: every byte but letters, digits and "-._~".
CString UrlEncodeComponent(const char* text);
// A value of a form-encoded query (web-font families): as a component, but blanks as '+'.
CString UrlEncodeFormValue(const char* text);
// An address as typed: only what can never stand in an address (controls, blanks,
// " < > \ ^ ` { | }, and [ ] outside an IPv6 host) is percent-encoded; '%' escapes and
// non-ASCII letters stay.
CString UrlEscapeUnsafe(const char* text);
// An address as typed for url('...') inside a quoted script string: as UrlEscapeUnsafe,
// and ' ( ) encoded too, so it ends neither the string nor the url().
CString UrlEscapeUnsafeQuoted(const char* text);
// A mail address after "mailto:": letters, digits and "@.-_+~!$*=/'" stay, so no address
// can end the attribute or add header fields.
CString EncodeMailAddress(const char* text);
// A subject or body of a mailto link: % " # $ ' * + blank \ : & ? < >, controls and every
// byte of 128 and above percent-encoded.
CString EncodeMailField(const char* text);
// EncodeMailField in place.
void PercentEncodeText(CString& text);

// ---------------------------------------------------------------- CSS

// A name as a CSS identifier: characters a selector would read otherwise are escaped,
// so a user's class name or id can stand in a selector.
CString CssEscapeIdent(const char* name);
// A CSS string in single quotes; quotes, backslash, controls and '<' escaped, so it can
// end neither the string nor a style block.
CString CssQuoted(const char* text);
// A font family for a CSS declaration: plain names as they are, others quoted.
CString CssFontFamily(const char* name);
// url('...') with the value escaped for a CSS string, also safe inside a style attribute
// and a style element (quotes, backslash, markup characters and controls as CSS escapes).
CString CssUrl(const char* value);
// A text placed in CSS outside any string (a placeholder in a style block or attribute):
// every ASCII sign as a CSS escape, so it can end no rule, no style block and no
// attribute, and open no element. Letters, digits, blanks and non-ASCII stay.
CString CssBlockText(const char* text);
// CSS the user wrote (extra CSS of an item) or a rule built from it, for a style element:
// the CSS stays as it is but for '<' and the control characters other than tab and line
// ends, which become CSS escapes, so no text can end the style element or open another.
CString CssStyleElementText(const char* css);

// ---------------------------------------------------------------- scripts and mail

// A text as the inside of a single- or double-quoted JavaScript string; the result holds
// no '"', '&' or '<' and no raw line break (U+2028 and U+2029 included), so it is also
// safe inside an HTML attribute or a script block.
CString EscapeJsString(const char* text);
// A PHP single-quoted literal, quotes included: only the quote and the backslash need
// escaping there ("?>" inside a literal does not end the code).
CString PhpQuoted(const char* text);
// A text for a mail header line (subject, recipient): every control character, CR and LF
// above all, becomes a blank, so a text can never add header lines.
CString MailHeaderText(const char* text);
