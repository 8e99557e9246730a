// Reads arbitrary bytes as a translation file under both programs' rules and looks up
// texts: nothing may crash, and every value taken asks for the same arguments as its key.
#include "model/Translate.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const CTranslationMap::Rules& rules : {CTranslationMap::kDesignerRules, CTranslationMap::kExplorerRules}) {
        CTranslationMap map(rules);
        map.LoadText(bytes);
        for (const char* key : {"Cancel", "Name:", "File %d of %d", "", ":", "%s"}) {
            CString text(key);
            if (map.Lookup(text) && !SamePlaceholders(key, text.str()))
                std::abort();
        }
        (void)map.DuplicateReport().GetLength();
    }
    return 0;
}
