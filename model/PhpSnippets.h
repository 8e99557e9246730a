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
