#include "model/Translate.h"

#include "framework/core/MessageBox.h"
#include "framework/core/Paths.h"

CTranslationMap& TheTranslationMap()
{
    static CTranslationMap map(CTranslationMap::kDesignerRules);
    return map;
}

void LoadTranslations(const CString& path)
{
    CTranslationMap& map = TheTranslationMap();
    map.LoadFile(path);
    if (!map.DuplicateReport().IsEmpty()) {
        CString text = map.DuplicateReport();
        text += "\r\n\r\nDouble keys found. Edit lang.ini to fix it.";
        ShowMessageBox(text, "Translation Map", MB_ICONEXCLAMATION);
    }
}

void LoadTranslations()
{
    LoadTranslations(tessel::ProgramFolder() + CString("lang.ini"));
}

bool LookupTranslation(CString& text)
{
    return TheTranslationMap().Lookup(text);
}

CString Translate(const char* text)
{
    return TheTranslationMap().Translate(text);
}
