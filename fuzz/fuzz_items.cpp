// Item records from untrusted bytes: a group record with any children, read at the
// version the first byte picks, then the extension values. Only archive and memory
// exceptions may come out.
#include "framework/core/CFile.h"
#include "framework/core/Exceptions.h"
#include "model/GroupItem.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const int kVersions[] = {83, 84, 85, 86, 87, 88, 89, 90, 91, 92, kVersionMemory};
    const int version = kVersions[data[0] % (sizeof kVersions / sizeof kVersions[0])];
    CMemFile file(data + 1, size - 1);
    CArchive ar(&file, CArchive::load);
    CGroupItem group;
    try {
        group.Serialize(ar, version);
        group.SerializeExtra(ar, version);
        // What was read must write again.
        CMemFile out;
        CArchive store(&out, CArchive::store);
        group.Serialize(store, version);
        group.SerializeExtra(store, version);
        store.Close();
    } catch (const CArchiveException&) {
    } catch (const CMemoryException&) {
    }
    return 0;
}
