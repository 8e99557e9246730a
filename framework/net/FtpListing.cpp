#include "framework/net/FtpListing.h"
#include <cstring>

namespace {

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool IsDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Decimal number that fits 64 bits; false on overflow or other characters.
bool ParseU64(std::string_view s, std::uint64_t& out)
{
    if (!IsDigits(s) || s.size() > 20)
        return false;
    std::uint64_t v = 0;
    for (char c : s) {
        std::uint64_t d = std::uint64_t(c - '0');
        if (v > (UINT64_MAX - d) / 10)
            return false;
        v = v * 10 + d;
    }
    out = v;
    return true;
}

int ParseInt(std::string_view s, int fallback = -1)
{
    std::uint64_t v;
    if (!ParseU64(s, v) || v > 100000)
        return fallback;
    return int(v);
}

std::time_t MakeUtc(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1970 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23
        || minute < 0 || minute > 59 || second < 0 || second > 60)
        return 0;
    std::tm t {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return timegm(&t);
}

int MonthIndex(std::string_view m)
{
    static const char* const names[] = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
    if (m.size() != 3)
        return 0;
    for (int i = 0; i < 12; ++i) {
        bool same = true;
        for (int k = 0; k < 3; ++k) {
            char c = m[size_t(k)];
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
            if (c != names[i][k])
                same = false;
        }
        if (same)
            return i + 1;
    }
    return 0;
}

// Splits off the next whitespace-separated field; returns false at the end of the line.
bool NextField(std::string_view& rest, std::string_view& field)
{
    size_t b = rest.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return false;
    size_t e = rest.find_first_of(" \t", b);
    if (e == std::string_view::npos)
        e = rest.size();
    field = rest.substr(b, e - b);
    rest = rest.substr(e);
    return true;
}

// The name after the date: exactly one separating blank is dropped, so that names that
// begin with blanks survive (servers pad only before the name with a single space).
std::string_view TakeName(std::string_view rest)
{
    if (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    return rest;
}

bool ParseUnixLine(std::string_view line, std::time_t now, CFtpListEntry& entry)
{
    // perms links owner [group] size month day (hh:mm|year) name
    std::string_view rest = line;
    std::vector<std::string_view> fields;
    std::string_view f;
    if (!NextField(rest, f) || f.size() < 10)
        return false;
    char type = f[0];
    if (std::strchr("-dlbcps", type) == nullptr)
        return false;
    for (size_t i = 1; i < 10; ++i)
        if (std::strchr("rwxsStTlL-+.@", f[i]) == nullptr)
            return false;
    // Collect fields until a month name followed by a day and a time/year is found.
    std::vector<std::pair<std::string_view, std::string_view>> seen; // field, rest after it
    for (int guard = 0; guard < 8 && NextField(rest, f); ++guard) {
        seen.emplace_back(f, rest);
        if (seen.size() >= 3) {
            std::string_view sizeField = seen[seen.size() - 3].first;
            std::string_view monField = seen[seen.size() - 2].first;
            std::string_view dayField = f;
            int month = MonthIndex(monField);
            int day = ParseInt(dayField);
            std::uint64_t size = 0;
            if (month && day >= 1 && day <= 31 && ParseU64(sizeField, size)) {
                std::string_view afterDay = rest;
                std::string_view timeOrYear;
                if (!NextField(afterDay, timeOrYear))
                    return false;
                int year = 0, hour = 0, minute = 0;
                size_t colon = timeOrYear.find(':');
                bool withTime = colon != std::string_view::npos;
                if (withTime) {
                    hour = ParseInt(timeOrYear.substr(0, colon));
                    minute = ParseInt(timeOrYear.substr(colon + 1));
                    if (hour < 0 || minute < 0)
                        return false;
                    std::tm nowTm {};
                    gmtime_r(&now, &nowTm);
                    year = nowTm.tm_year + 1900;
                } else {
                    year = ParseInt(timeOrYear);
                    if (year < 1900)
                        return false;
                }
                std::time_t t = MakeUtc(year, month, day, hour, minute, 0);
                if (withTime && t > now + 86400)
                    t = MakeUtc(year - 1, month, day, hour, minute, 0);
                std::string_view name = TakeName(afterDay);
                if (name.empty())
                    return false;
                entry = CFtpListEntry {};
                entry.directory = type == 'd';
                entry.link = type == 'l';
                if (entry.link) {
                    size_t arrow = name.find(" -> ");
                    if (arrow != std::string_view::npos)
                        name = name.substr(0, arrow);
                    if (name.empty())
                        return false;
                }
                entry.name = CString(name);
                entry.size = entry.directory ? 0 : size;
                entry.sizeKnown = !entry.directory;
                entry.time = t;
                return true;
            }
        }
    }
    return false;
}

bool ParseDosLine(std::string_view line, CFtpListEntry& entry)
{
    // MM-DD-YY[YY]  hh:mm[AM|PM]  (<DIR>|size)  name
    std::string_view rest = line;
    std::string_view date, time, what;
    if (!NextField(rest, date) || !NextField(rest, time) || !NextField(rest, what))
        return false;
    if (date.size() != 8 && date.size() != 10)
        return false;
    if (date[2] != '-' || date[5] != '-')
        return false;
    int month = ParseInt(date.substr(0, 2));
    int day = ParseInt(date.substr(3, 2));
    int year = ParseInt(date.substr(6));
    if (month < 1 || day < 1 || year < 0)
        return false;
    if (date.size() == 8)
        year += year < 70 ? 2000 : 1900;
    size_t colon = time.find(':');
    if (colon == std::string_view::npos)
        return false;
    int hour = ParseInt(time.substr(0, colon));
    std::string_view minPart = time.substr(colon + 1);
    bool pm = false, am = false;
    if (minPart.size() == 4) {
        std::string_view suffix = minPart.substr(2);
        pm = suffix == "PM" || suffix == "pm";
        am = suffix == "AM" || suffix == "am";
        if (!pm && !am)
            return false;
        minPart = minPart.substr(0, 2);
    }
    int minute = ParseInt(minPart);
    if (hour < 0 || minute < 0)
        return false;
    if (am || pm) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    std::time_t t = MakeUtc(year, month, day, hour, minute, 0);
    if (t == 0)
        return false;
    entry = CFtpListEntry {};
    if (what == "<DIR>") {
        entry.directory = true;
    } else if (!ParseU64(what, entry.size)) {
        return false;
    } else {
        entry.sizeKnown = true;
    }
    size_t b = rest.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return false;
    entry.name = CString(rest.substr(b));
    entry.time = t;
    return true;
}

} // namespace

bool ParseMlsdLine(std::string_view line, CFtpListEntry& entry)
{
    size_t space = line.find(' ');
    if (space == std::string_view::npos || space + 1 >= line.size())
        return false;
    std::string_view facts = line.substr(0, space);
    std::string_view name = line.substr(space + 1);
    entry = CFtpListEntry {};
    bool typed = false;
    while (!facts.empty()) {
        size_t semi = facts.find(';');
        std::string_view fact = facts.substr(0, semi);
        facts = semi == std::string_view::npos ? std::string_view() : facts.substr(semi + 1);
        size_t eq = fact.find('=');
        if (eq == std::string_view::npos)
            continue;
        std::string key(fact.substr(0, eq));
        for (char& c : key)
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        std::string_view value = fact.substr(eq + 1);
        if (key == "type") {
            std::string v(value);
            for (char& c : v)
                if (c >= 'A' && c <= 'Z')
                    c = char(c - 'A' + 'a');
            if (v == "cdir" || v == "pdir")
                return false;
            typed = true;
            entry.directory = v == "dir";
            entry.link = v.rfind("os.unix=slink", 0) == 0 || v.rfind("os.unix=symlink", 0) == 0;
        } else if (key == "size" || key == "sizd") {
            std::uint64_t s;
            if (ParseU64(value, s)) {
                entry.size = s;
                entry.sizeKnown = true;
            }
        } else if (key == "modify") {
            std::string_view v = value.substr(0, value.find('.'));
            if (v.size() == 14 && IsDigits(v)) {
                entry.time = MakeUtc(ParseInt(v.substr(0, 4)), ParseInt(v.substr(4, 2)), ParseInt(v.substr(6, 2)),
                                     ParseInt(v.substr(8, 2)), ParseInt(v.substr(10, 2)), ParseInt(v.substr(12, 2)));
            }
        }
    }
    if (!typed)
        return false;
    if (entry.directory)
        entry.size = 0;
    entry.name = CString(name);
    return true;
}

std::vector<CFtpListEntry> ParseMlsdListing(std::string_view text)
{
    std::vector<CFtpListEntry> out;
    for (std::string_view line : SplitLines(text)) {
        CFtpListEntry e;
        if (ParseMlsdLine(line, e))
            out.push_back(std::move(e));
    }
    return out;
}

bool ParseListLine(std::string_view line, std::time_t now, CFtpListEntry& entry)
{
    if (line.empty())
        return false;
    if (line[0] >= '0' && line[0] <= '9')
        return ParseDosLine(line, entry);
    return ParseUnixLine(line, now, entry);
}

std::vector<CFtpListEntry> ParseListListing(std::string_view text, std::time_t now)
{
    std::vector<CFtpListEntry> out;
    for (std::string_view line : SplitLines(text)) {
        CFtpListEntry e;
        if (ParseListLine(line, now, e))
            out.push_back(std::move(e));
    }
    return out;
}

bool IsSafeFtpName(const CString& name)
{
    if (name.IsEmpty() || name == "." || name == "..")
        return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == '/' || c == '\\' || c < 32 || c == 127)
            return false;
    }
    return true;
}

bool FtpNameMatches(std::string_view name, std::string_view mask)
{
    // Iterative glob with backtracking to the last '*'.
    size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}
