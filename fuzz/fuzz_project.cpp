// libFuzzer target: the project file reader over arbitrary bytes. A bad file must end in
// one of our exceptions, never a crash, a leak or an absurd allocation.
#include "document/KJDoc.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/MessageBox.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bool quiet = [] {
        SetMessageBoxHandler([](const CString&, const CString&, unsigned) { return IDOK; });
        return true;
    }();
    (void)quiet;
    CKJDoc doc;
    CMemFile file(data, size);
    CArchive ar(&file, CArchive::load);
    try {
        doc.Serialize(ar);
        // a file that loads must also save
        CMemFile out;
        CArchive store(&out, CArchive::store);
        doc.Serialize(store);
        store.Close();
    } catch (const CException&) {
    }
    return 0;
}
