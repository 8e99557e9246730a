#include "framework/core/TranslationMap.h"

#include <QtCore/QFile>
#include <cstring>
#include <vector>

namespace {

// A translation file larger than this is not a translation file.
constexpr qint64 kMaxFileSize = 32 * 1024 * 1024;

void ReplaceAll(std::string& s, std::string_view from, std::string_view to)
{
    size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
}

std::string Unescape(std::string s)
{
    ReplaceAll(s, "\\n", "\n");
    ReplaceAll(s, "\\r", "\r");
    ReplaceAll(s, "\\t", "\t");
    return s;
}

// The arguments a printf format asks for, one code each: length modifier and
// conversion class ("d", "ld", "u", "f", "s", "c", "p", "*" for a star width/precision).
// False for %n and for anything this program never formats (positional arguments).
bool Placeholders(std::string_view f, std::vector<std::string>& out)
{
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%')
            continue;
        size_t j = i + 1;
        if (j < f.size() && f[j] == '%') {
            i = j;
            continue;
        }
        while (j < f.size() && std::strchr("-+ #0'", f[j]))
            ++j;
        if (j < f.size() && f[j] == '*') {
            out.emplace_back("*");
            ++j;
        } else {
            while (j < f.size() && f[j] >= '0' && f[j] <= '9')
                ++j;
            if (j < f.size() && f[j] == '$')
                return false;
        }
        if (j < f.size() && f[j] == '.') {
            ++j;
            if (j < f.size() && f[j] == '*') {
                out.emplace_back("*");
                ++j;
            } else {
                while (j < f.size() && f[j] >= '0' && f[j] <= '9')
                    ++j;
            }
        }
        std::string length;
        while (j < f.size() && std::strchr("hlLqjzt", f[j]))
            length += f[j++];
        if (j >= f.size())
            break; // a lone '%' at the end formats nothing
        const char c = f[j];
        std::string cls;
        if (std::strchr("di", c))
            cls = "d";
        else if (std::strchr("ouxX", c))
            cls = "u";
        else if (std::strchr("eEfFgGaA", c))
            cls = "f";
        else if (c == 'c' || c == 's' || c == 'p')
            cls = std::string(1, c);
        else if (c == 'n')
            return false;
        else
            continue; // not a conversion: printf would print it as it stands
        out.push_back(length + cls);
        i = j;
    }
    return true;
}

// Text as UTF-8: kept when it is valid UTF-8 (a byte order mark dropped), otherwise
// taken as Windows-1252.
std::string NormalizeEncoding(std::string_view bytes)
{
    if (bytes.size() >= 3 && std::memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0)
        bytes.remove_prefix(3);
    const QByteArray converted = CString(bytes).ToQString().toUtf8();
    return std::string(converted.constData(), size_t(converted.size()));
}

} // namespace

bool SamePlaceholders(std::string_view a, std::string_view b)
{
    std::vector<std::string> pa, pb;
    if (!Placeholders(a, pa) || !Placeholders(b, pb))
        return false;
    return pa == pb;
}

void CTranslationMap::Clear()
{
    m_map.clear();
    m_duplicates.Empty();
    m_rejected = 0;
}

bool CTranslationMap::LoadFile(const CString& path)
{
    Clear();
    QFile file(path.ToQString());
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    LoadText(std::string_view(bytes.constData(), size_t(bytes.size())));
    return true;
}

void CTranslationMap::LoadText(std::string_view bytes)
{
    Clear();
    const std::string text = NormalizeEncoding(bytes);
    std::unordered_set<std::string> seen;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0)
            continue;
        std::string key = Unescape(std::string(line.substr(0, eq)));
        std::string value = Unescape(std::string(line.substr(eq + 1)));
        if (!seen.insert(key).second) {
            m_duplicates += CString(key);
            m_duplicates += "\r\n";
        }
        if (value.empty() && !m_rules.keepEmptyValues)
            continue;
        if (!SamePlaceholders(key, value)) {
            ++m_rejected;
            continue;
        }
        m_map[std::move(key)] = std::move(value);
    }
}

bool CTranslationMap::Find(const std::string& key, std::string& value) const
{
    const auto it = m_map.find(key);
    if (it == m_map.end())
        return false;
    value = it->second;
    return true;
}

bool CTranslationMap::Lookup(CString& text) const
{
    std::string value;
    if (Find(text.str(), value)) {
        text = CString(std::move(value));
        return true;
    }
    const std::string& s = text.str();
    if (m_rules.trailingColon && !s.empty() && s.back() == ':' && Find(s.substr(0, s.size() - 1), value)) {
        text = CString(value + ":");
        return true;
    }
    return false;
}

CString CTranslationMap::Translate(const char* text) const
{
    CString s(text);
    Lookup(s);
    return s;
}
