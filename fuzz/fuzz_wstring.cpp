// Loads wide strings, item links, event actions (with their extra values) and border
// records from arbitrary bytes: only the archive exception may come out, and no count
// may allocate beyond what the input holds.
#include "framework/core/CArchive.h"
#include "framework/core/Exceptions.h"
#include "model/Border.h"
#include "model/ItemAction.h"
#include "model/ItemLink.h"
#include "model/WString.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the version the records are read at.
    const int version = 80 + data[0] % 16;
    CMemFile f(data + 1, size - 1);
    CArchive ar(&f, CArchive::load, 512);
    try {
        for (;;) {
            CWString s;
            s.Serialize(ar);
            CString utf8;
            s.ToUtf8(utf8);
            s.ToAsciiName(utf8);
            CItemLink link;
            link.Serialize(ar, version);
            CString href;
            link.BuildHref(href, "../");
            CItemAction action;
            action.Serialize(ar, version);
            action.SerializeExtra(ar);
            CString script;
            action.GetScript(script);
            CBorderSide side;
            side.Serialize(ar, version);
            CBoxSpacing box;
            box.Serialize(ar, version);
        }
    } catch (const CArchiveException&) {
    }
    return 0;
}
