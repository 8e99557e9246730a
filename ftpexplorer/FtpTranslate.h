// The explorer's translation map, read once from "lang.ini" beside the program, with the
// file rules of CTranslationMap (framework/core/TranslationMap.h): exact keys, empty
// translations kept, translations whose placeholders differ from their key ignored.
#pragma once
#include "framework/core/CString.h"
#include <cstdint>
#include <initializer_list>
#include <variant>

// Fills the map from a file; a missing file leaves it empty. Returns the entries taken.
int LoadLanguageFile(const char* path);
// Fills the map from the text of a file (for LoadLanguageFile and tests).
int LoadLanguageText(const CString& text);
void ClearTranslations();

bool FtpLookupTranslation(CString& text);
CString TranslateText(const char* text);

// Translates the format, then fills its %s / %d / %u conversions in order. Integers may be
// 64-bit whatever the conversion says; any other conversion is left as it stands.
using FtpArg = std::variant<std::int64_t, std::uint64_t, const char*>;
CString FtpFormat(const char* format, std::initializer_list<FtpArg> args);
// The same without translating the format.
CString FtpFormatRaw(const CString& format, std::initializer_list<FtpArg> args);
