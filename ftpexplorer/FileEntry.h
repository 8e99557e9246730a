// One file or folder of either list: shared by the views, the document and the transfers.
#pragma once
#include "framework/core/CString.h"
#include <cstdint>
#include <ctime>

struct CFileEntry {
    enum Kind { file = 0, folder = 1, parent = 2 };
    CString m_strName;   // name without folder
    CString m_strPath;   // full path, '/' separators (local and remote)
    int m_nKind = file;
    std::uint64_t m_nSize = 0;
    std::time_t m_time = 0;
    CString m_strTarget; // folder (with its final '/') that a transfer puts this entry into
};
