// libFuzzer target: the FTP explorer's ".ftp" connection file over arbitrary bytes. A bad
// file must end in one of our exceptions and change none of the settings.
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "ftpexplorer/VFDocData.h"

#include <QtCore/QDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString start = QDir::currentPath();
    CVFDocData doc;
    doc.m_strHost = "unchanged";
    doc.m_nPort = 2121;
    try {
        CMemFile file(data, size);
        CArchive ar(&file, CArchive::load);
        doc.Serialize(ar);
    } catch (const CException&) {
        if (doc.m_strHost != "unchanged" || doc.m_nPort != 2121)
            std::abort(); // a refused file changed the settings
        return 0;
    }
    if (doc.m_nPort < 0 || doc.m_nPort > 65535)
        std::abort();
    QDir::setCurrent(start); // loading moves into the file's local folder
    // what loaded also saves
    CMemFile out;
    CArchive store(&out, CArchive::store);
    doc.Serialize(store);
    store.Close();
    return 0;
}
