#include "ftpexplorer/FtpTranslate.h"
#include "framework/core/TranslationMap.h"
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// The explorer's rules: exact keys only, and an empty translation stays empty.
CTranslationMap& Map()
{
    static CTranslationMap map(CTranslationMap::kExplorerRules);
    return map;
}

} // namespace

int LoadLanguageText(const CString& text)
{
    Map().LoadText(text.str());
    return Map().GetCount();
}

int LoadLanguageFile(const char* path)
{
    Map().LoadFile(path);
    return Map().GetCount();
}

void ClearTranslations()
{
    Map().Clear();
}

bool FtpLookupTranslation(CString& text)
{
    return Map().Lookup(text);
}

CString TranslateText(const char* text)
{
    CString s(text);
    FtpLookupTranslation(s);
    return s;
}

CString FtpFormatRaw(const CString& format, std::initializer_list<FtpArg> args)
{
    std::string out;
    const std::string& f = format.str();
    auto next = args.begin();
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%') {
            out += f[i];
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < f.size() && std::string("lhqjzt").find(f[j]) != std::string::npos)
            ++j;
        char type = j < f.size() ? f[j] : '\0';
        if ((type == 's' || type == 'd' || type == 'u' || type == 'i') && next != args.end()) {
            const FtpArg& a = *next++;
            if (auto s = std::get_if<const char*>(&a))
                out += *s ? *s : "";
            else if (auto v = std::get_if<std::int64_t>(&a))
                out += std::to_string(*v);
            else
                out += std::to_string(std::get<std::uint64_t>(a));
            i = j;
            continue;
        }
        out += f[i];
    }
    return CString(out);
}

CString FtpFormat(const char* format, std::initializer_list<FtpArg> args)
{
    return FtpFormatRaw(TranslateText(format), args);
}
