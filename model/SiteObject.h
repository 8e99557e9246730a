// Root of every persistent object of a website project: pages, folders, bands, stored
// files, pictures and all page items. It carries the type code, the serial, the file-name
// parts and an optional data block, and writes them as the root record.
#pragma once
#include "framework/core/CArchive.h"
#include "framework/core/CString.h"
#include "framework/core/DataBlock.h"

// One call for both directions of a record's plain fields (int32, colour, double, string).
namespace archive_io {
inline void Io(CArchive& ar, int& v)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(v);
    } else {
        std::int32_t t;
        ar >> t;
        v = t;
    }
}
inline void Io(CArchive& ar, std::uint32_t& v)
{
    if (ar.IsStoring())
        ar << v;
    else
        ar >> v;
}
inline void Io(CArchive& ar, double& v)
{
    if (ar.IsStoring())
        ar << v;
    else
        ar >> v;
}
inline void Io(CArchive& ar, CString& v)
{
    if (ar.IsStoring())
        ar << v;
    else
        ar >> v;
}
} // namespace archive_io

// Global object counter: every new object takes the next value as its serial. The
// project file stores it and restores it on load.
int GetObjectCounter();
void SetObjectCounter(int value);

class CSiteObject {
public:
    CSiteObject();
    virtual ~CSiteObject();
    CSiteObject(const CSiteObject&) = delete;
    CSiteObject& operator=(const CSiteObject&) = delete;

    // Base name followed by the extension.
    virtual CString GetFileName() const;
    // The root record: type code, serial, third name, base name, extension, upload
    // state and the data block. The version is not consulted here.
    virtual void Serialize(CArchive& ar, int version);

    // Reads a file into the data block and names the object after the file; false when
    // the file cannot be read whole (the old block then stays).
    bool LoadBlobFromFile(const CString& path);
    void FreeBlob() { m_blob.Free(); }

    int m_nType = 0;
    int m_nReserved = 0;
    CDataBlock m_blob;
    CString m_strBaseName;
    CString m_strExtension;
    CString m_strThirdName;
    CString m_strExtra1, m_strExtra2; // not archived by the root
    // The file name the last generation wrote the object's file under (not archived:
    // generation never changes the project).
    CString m_strOutputName;
    // The name a page addresses the object's file by: the output name once written, else
    // the stored third name when there is one, else the file name.
    CString GetPublishedName() const
    {
        return !m_strOutputName.IsEmpty() ? m_strOutputName : !m_strThirdName.IsEmpty() ? m_strThirdName : GetFileName();
    }
    int m_nSerial = 0;
    // Parent reference: the stored id (folders, pages) and, once resolved or while a
    // site is written, the folder object itself (null = the site root).
    int m_nParentId = 0;
    CSiteObject* m_pParent = nullptr;
    int m_nUploadState = 0;

protected:
    // Called after LoadBlobFromFile has filled the block and set the base name, with the
    // file's name without folder and extension; items take their HTML name from it.
    virtual void OnBlobLoaded(const CString& title) { (void)title; }
};
