// libFuzzer target: the FTP listing parsers over arbitrary server text. The first byte
// picks the parser (machine listing or LIST), the rest is the listing. Every name that comes
// out and passes the safety check must be joinable to a folder without leaving it.
#include "framework/net/FtpListing.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<CFtpListEntry> entries
        = (data[0] & 1) ? ParseListListing(text, std::time_t(1700000000)) : ParseMlsdListing(text);
    for (const CFtpListEntry& e : entries) {
        if (e.directory && e.size != 0)
            std::abort(); // folders carry no size
        if (IsSafeFtpName(e.name)) {
            const std::string_view n(e.name.GetString(), std::size_t(e.name.GetLength()));
            if (n.empty() || n == "." || n == ".." || n.find('/') != n.npos || n.find('\\') != n.npos)
                std::abort();
        }
        FtpNameMatches(e.name.str(), "*.htm?");
    }
    return 0;
}
