// The private clipboard stream from untrusted bytes, pasted with renaming through the
// function the editor's Edit/Paste uses, measured as the editor does after a paste (which
// renders what items draw), then copied again. A damaged stream must leave the group as it
// was; the rendering ceiling keeps every unit quick.
#include "framework/core/CFile.h"
#include "framework/core/Exceptions.h"
#include "model/Clipboard.h"
#include "model/GroupItem.h"
#include "model/items/TextItem.h"
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CGroupItem group;
    group.AddChild(new CTextItem); // what the container held before
    int counter = 1;
    const int pasted = PasteItemStream(group, data, size, counter, true);
    if (pasted < 0 && (group.GetChildCount() != 1 || counter != 1))
        std::abort(); // a refused stream changed the container
    try {
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
