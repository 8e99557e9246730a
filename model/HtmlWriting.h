// Small text helpers shared by every HTML/CSS writer: colours, escaping for element
// text, attributes and URLs, and character references that hide mail addresses.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"

class CPageOutput;

// "#RRGGBB", upper-case, from a COLORREF (red in the low byte; the high byte is ignored).
CString ColorToHtml(COLORREF color);
// '0'-'9', 'A'-'F' for 0-15; a space for any other value.
char HexDigit(int n);
// A pure hue (0-359) lightened by (100 - saturation)% towards white, then scaled by
// brightness%; all values in integer arithmetic.
COLORREF HueToRgb(unsigned hue, unsigned saturation, unsigned brightness);

// Every character of a UTF-8 text (bytes that are not UTF-8 read as Windows-1252) as a
// numeric character reference, decimal or hexadecimal chosen at random per character.
CString EncodeCharRefs(const char* text);

// One UTF-16 unit as HTML into the page body (see CPageOutput for the raw-text flag).
// A high surrogate waits for its low half, so a pair written in two calls stays one
// character.
void EscapeHtmlChar(CPageOutput& out, char16_t ch);

// Element text: & < > escaped; with quotes, '"' too (for a meta tag's content).
CString HtmlEscape(const char* text, bool quotes = false);
// A double-quoted attribute value: & and " escaped, and the "<" of a PHP opener (scripts
// stay readable).
CString HtmlAttributeEscape(const char* text);
// A relative address made safe for an attribute and for the server: every byte other
// than letters, digits and "/-._~" is percent-encoded.
CString UrlEncodePath(const char* text);
// An address as typed: only what can never stand in an address (controls, blanks,
// " < > \ ^ ` { | }) is percent-encoded; '%' escapes and non-ASCII letters stay.
CString UrlEscapeUnsafe(const char* text);
