// A folder of the site tree. Its file name is its directory name; its parent is stored
// as the parent folder's serial and turned into a pointer by the document after a load.
#pragma once
#include "model/SiteObject.h"

class CFolder : public CSiteObject {
public:
    CFolder();
    ~CFolder() override = default;

    // The root record, then the parent folder's serial (0 without parent).
    void Serialize(CArchive& ar, int version) override;

    CFolder* GetParentFolder() const { return static_cast<CFolder*>(m_pParent); }
    void SetParentFolder(CFolder* parent)
    {
        m_pParent = parent;
        m_nParentId = parent ? parent->m_nSerial : 0;
    }
};
