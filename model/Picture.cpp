#include "model/Picture.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Paths.h"
#include "framework/core/Png.h"
#include "model/PictureFiles.h"

#include <limits>

CPicture::CPicture()
{
    m_nType = 47;
    // the picture id is the counter's next value after the root's serial
    SetObjectCounter(GetObjectCounter() + 1);
    m_nPictureId = GetObjectCounter();
}

CString CPicture::GetFileName() const
{
    switch (m_nFormat) {
    case FormatPng: return m_strName + ".png";
    case FormatJpeg: return m_strName + ".jpg";
    case FormatGif: return m_strName + ".gif";
    case FormatBmp: return m_strName + ".bmp";
    default: return m_strName;
    }
}

int CPicture::FormatFromExtension(const CString& path)
{
    CString name = tessel::FileNameOf(path);
    int dot = name.ReverseFind('.');
    CString ext = dot < 0 ? CString() : name.Mid(dot);
    if (ext.CompareNoCase(".gif") == 0)
        return FormatGif;
    if (ext.CompareNoCase(".png") == 0)
        return FormatPng;
    if (ext.CompareNoCase(".bmp") == 0)
        return FormatBmp;
    if (ext.CompareNoCase(".jpg") == 0 || ext.CompareNoCase(".jpeg") == 0 || ext.CompareNoCase(".jpe") == 0)
        return FormatJpeg;
    return FormatUnknown;
}

int CPicture::LoadFile(const CString& path)
{
    m_blob.Free();
    if (!LoadBlobFromFile(path))
        return 0;
    CString name = tessel::FileNameOf(path);
    int dot = name.ReverseFind('.');
    m_strName = dot < 0 ? name : name.Left(dot);
    m_nFormat = FormatFromExtension(path);
    return DecodeSource() ? 1 : 0; // the bytes stay even when they do not decode
}

bool CPicture::DecodeSource()
{
    m_picture.Free();
    m_nWidth = m_nHeight = 0;
    if (m_blob.IsEmpty())
        return false;
    PackedBitmapPtr packed;
    if (m_nFormat == 0 || m_nFormat == FormatPng)
        packed = LoadPNGData(m_blob.Data(), m_blob.Size());
    else if (m_nFormat == FormatJpeg)
        packed = ReadJpegData(m_blob.Data(), m_blob.Size());
    if (!packed || !m_picture.CreateFromGlobal(*packed))
        return false;
    m_nWidth = m_picture.GetWidth();
    m_nHeight = m_picture.GetHeight();
    return true;
}

void CPicture::Serialize(CArchive& ar, int /*version*/)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(m_nPictureId) << std::int32_t(m_nWidth) << std::int32_t(m_nHeight);
        ar << m_strName;
        ar << std::int32_t(m_nFormat) << std::int32_t(m_nUploadState) << std::int32_t(m_nStoredWord);
        ar << std::int32_t(m_nSupersampling) << std::int32_t(m_bInvert) << std::int32_t(m_nChannelSwap);
        ar << std::uint32_t(m_crFrame) << std::int32_t(m_nFrameShading) << std::int32_t(m_nFrameWidth);
        ar << std::int32_t(m_nCornerRadius) << std::int32_t(m_nShape) << std::int32_t(m_nFadeKind);
        ar << std::int32_t(m_nFadeLeft) << std::int32_t(m_nFadeRight) << std::int32_t(m_nFadeTop) << std::int32_t(m_nFadeBottom);
        ar << std::int32_t(m_nFadeWidth) << std::uint32_t(m_crShadow) << std::int32_t(m_nShadowOffset);
        ar << std::int32_t(m_nShadowSoftness) << std::int32_t(m_bShadow);
        if (m_blob.Size() > std::size_t(std::numeric_limits<std::int32_t>::max()))
            AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
        ar << std::int32_t(m_blob.Size());
        if (m_blob.Size())
            ar.Write(m_blob.Data(), m_blob.Size());
        return;
    }
    std::int32_t v[25];
    ar >> v[0] >> v[1] >> v[2];
    ar >> m_strName;
    for (int i = 3; i < 24; ++i)
        ar >> v[i];
    m_nPictureId = v[0];
    m_nWidth = v[1];
    m_nHeight = v[2];
    m_nFormat = v[3];
    m_nUploadState = v[4];
    m_nStoredWord = v[5];
    m_nSupersampling = v[6];
    m_bInvert = v[7];
    m_nChannelSwap = v[8];
    m_crFrame = COLORREF(v[9]);
    m_nFrameShading = v[10];
    m_nFrameWidth = v[11];
    m_nCornerRadius = v[12];
    m_nShape = v[13];
    m_nFadeKind = v[14];
    m_nFadeLeft = v[15];
    m_nFadeRight = v[16];
    m_nFadeTop = v[17];
    m_nFadeBottom = v[18];
    m_nFadeWidth = v[19];
    m_crShadow = COLORREF(v[20]);
    m_nShadowOffset = v[21];
    m_nShadowSoftness = v[22];
    m_bShadow = v[23];
    std::int32_t size = 0;
    ar >> size;
    if (size < 0)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    if (size > 0) {
        ar.CheckCount(size);
        CDataBlock block;
        if (!block.Allocate(std::size_t(size)))
            AfxThrowMemoryException();
        ar.Read(block.Data(), block.Size());
        m_blob.Swap(block);
        int width = m_nWidth, height = m_nHeight;
        if (!DecodeSource()) {
            // keep the stored size of a picture we cannot decode
            m_nWidth = width;
            m_nHeight = height;
        }
    }
}
