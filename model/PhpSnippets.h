// The ready-made PHP snippets of Insert/PHP: titles and code (without the "<?php" and
// "?>" around it). The code runs on PHP 8 and echoes request values only HTML-escaped.
#pragma once
#include "framework/core/CString.h"

inline constexpr int kPhpSnippetCount = 10;

// The untranslated title of a row, null outside 0 to 9.
const char* PhpSnippetTitle(int row);

// The code of a row; email is the address the mailing snippet (row 5) sends to, written
// as a PHP literal. Empty for row 0 and outside the rows.
CString BuildPhpSnippet(int row, const CString& email);

// True for an address of plain characters with one '@' inside: no blank, control, quote
// or separator, so it can add no header line to a mail.
bool IsPlainMailAddress(const CString& email);

// The mailer of the "Send all form fields by email" snippet and of the wizard's form page:
// a POST that brought fields (the image button's x and y left out) is mailed to email as
// plain text, and the fields are shown HTML-escaped; a visit without them mails nothing.
// The From header names email only when it is plain (IsPlainMailAddress).
CString BuildMailScript(const CString& email);
