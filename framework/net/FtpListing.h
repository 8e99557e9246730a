// Parsing of FTP directory listings: machine listings (MLSD) and the two common LIST
// forms (Unix "ls -l" and DOS/IIS). Server text is untrusted: lines that do not parse are
// skipped, names are kept as sent so that callers can refuse unsafe ones.
#pragma once
#include "framework/core/CString.h"
#include <cstdint>
#include <ctime>
#include <string_view>
#include <vector>

struct CFtpListEntry {
    CString name;
    bool directory = false;
    bool link = false;
    std::uint64_t size = 0;
    std::time_t time = 0; // seconds since 1970, UTC; 0 when the listing gave none
    bool sizeKnown = false; // the listing stated the size (a machine listing may not)
};

// One MLSD listing; "cdir" and "pdir" lines (the folder itself and its parent) are dropped.
std::vector<CFtpListEntry> ParseMlsdListing(std::string_view text);

// One LIST listing in Unix or DOS form. now: the reference time for Unix dates without a
// year (a date more than a day ahead of it belongs to the previous year).
std::vector<CFtpListEntry> ParseListListing(std::string_view text, std::time_t now);

// A single LIST line; false when it is neither form (totals, blank lines, garbage).
bool ParseListLine(std::string_view line, std::time_t now, CFtpListEntry& entry);
bool ParseMlsdLine(std::string_view line, CFtpListEntry& entry);

// A name from a listing that can safely be joined to a folder path: not empty, not "." or
// "..", no '/' or '\\', no control characters.
bool IsSafeFtpName(const CString& name);

// Shell-style match of '*' and '?' (case-sensitive, as FTP servers are).
bool FtpNameMatches(std::string_view name, std::string_view mask);
