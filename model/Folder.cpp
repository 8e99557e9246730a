#include "model/Folder.h"

CFolder::CFolder()
{
    m_nType = 0;
}

void CFolder::Serialize(CArchive& ar, int version)
{
    CSiteObject::Serialize(ar, version);
    if (ar.IsStoring()) {
        ar << std::int32_t(m_pParent ? m_pParent->m_nSerial : m_nParentId);
    } else {
        std::int32_t parent = 0;
        ar >> parent;
        m_nParentId = parent;
        m_pParent = nullptr; // resolved by the document
    }
}
