// The designer's translation map, read once at start-up from "lang.ini" beside the program.
#pragma once
#include "framework/core/TranslationMap.h"

// The designer's map, filled once at start-up.
CTranslationMap& TheTranslationMap();
// Reads "lang.ini" of the program folder (or the given file) into the designer's map;
// duplicate keys are shown in one message box afterwards. A missing file is no error.
void LoadTranslations();
void LoadTranslations(const CString& path);
// The designer's lookup with the trailing-colon rule (text in, translation out).
bool LookupTranslation(CString& text);
// The translation of text, or text itself.
CString Translate(const char* text);
