#include "ftpexplorer/FtpTranslate.h"
#include "framework/core/CFile.h"
#include <string>
#include <unordered_map>
#include <vector>

namespace {

std::unordered_map<std::string, std::string>& Map()
{
    static std::unordered_map<std::string, std::string> map;
    return map;
}

std::string Unescape(std::string s)
{
    auto replaceAll = [&s](const char* from, char to) {
        size_t pos = 0;
        while ((pos = s.find(from, pos)) != std::string::npos) {
            s.replace(pos, 2, 1, to);
            ++pos;
        }
    };
    replaceAll("\\n", '\n');
    replaceAll("\\r", '\r');
    replaceAll("\\t", '\t');
    return s;
}

// The conversions of a printf format: flags, width, precision, length and type, "%%" skipped.
std::vector<std::string> Conversions(const char* f)
{
    std::vector<std::string> out;
    for (const char* p = f; *p; ++p) {
        if (*p != '%')
            continue;
        const char* start = p++;
        if (*p == '%')
            continue;
        while (*p && std::string("-+ #0123456789.*hlLqjzt").find(*p) != std::string::npos)
            ++p;
        if (!*p) {
            out.emplace_back(start);
            break;
        }
        out.emplace_back(start, size_t(p - start + 1));
    }
    return out;
}

} // namespace

bool SamePlaceholders(const char* a, const char* b)
{
    return Conversions(a) == Conversions(b);
}

int LoadLanguageText(const CString& text)
{
    int taken = 0;
    const std::string& s = text.str();
    size_t start = 0;
    while (start < s.size()) {
        size_t end = s.find('\n', start);
        if (end == std::string::npos)
            end = s.size();
        std::string line = s.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0)
            continue;
        std::string key = Unescape(line.substr(0, eq));
        std::string value = Unescape(line.substr(eq + 1));
        if (!SamePlaceholders(key.c_str(), value.c_str()))
            continue;
        Map()[key] = value;
        ++taken;
    }
    return taken;
}

int LoadLanguageFile(const char* path)
{
    std::vector<BYTE> bytes;
    if (!CFile::ReadAll(path, bytes))
        return 0;
    return LoadLanguageText(CString(std::string(bytes.begin(), bytes.end())));
}

void ClearTranslations()
{
    Map().clear();
}

bool FtpLookupTranslation(CString& text)
{
    auto it = Map().find(text.str());
    if (it == Map().end())
        return false;
    text = CString(it->second);
    return true;
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
