// Reads counted strings and integers from arbitrary bytes: must only ever throw the
// archive exception, never crash or allocate beyond the input.
#include "framework/core/CArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemFile f(data, size);
    CArchive ar(&f, CArchive::load, 512);
    try {
        for (;;) {
            CString s;
            std::int32_t i;
            ar >> s >> i;
        }
    } catch (const CArchiveException&) {
    }
    return 0;
}
