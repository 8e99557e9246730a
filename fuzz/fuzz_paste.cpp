// The private clipboard stream from untrusted bytes: pasted with renaming into a group,
// measured as the editor does after a paste (which renders what items draw), then copied
// again. Only archive and memory exceptions may come out; the rendering ceiling keeps
// every unit quick.
#include "framework/core/CFile.h"
#include "framework/core/Exceptions.h"
#include "model/Clipboard.h"
#include "model/GroupItem.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemFile file(data, size);
    CArchive ar(&file, CArchive::load);
    CGroupItem group;
    int counter = 1;
    try {
        PasteItems(group, ar, counter, true);
        for (int i = 0; i < group.GetChildCount(); ++i) {
            group.GetChild(i)->RecalcLayout();
            group.GetChild(i)->m_bSelected = 1;
        }
        CMemFile out;
        CArchive store(&out, CArchive::store);
        WriteSelection(group, store, true);
        store.Close();
    } catch (const CArchiveException&) {
    } catch (const CMemoryException&) {
    }
    return 0;
}
