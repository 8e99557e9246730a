#include "model/items/BitmapItem.h"
#include "model/OutputPaths.h"

#include "framework/core/Exceptions.h"
#include "model/Clipboard.h"
#include "model/PictureFiles.h"
#include "model/PublishContext.h"

#include <algorithm>

void CBitmapItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    const int w = m_nWidth, h = m_nHeight;
    if (ar.IsStoring()) {
        if (w < 1 || h < 1)
            return;
        // The record's size announces the pixels: bring the bitmap to it first.
        if (m_bitmap.GetWidth() != w || m_bitmap.GetHeight() != h) {
            if (m_bitmap.IsValid())
                m_bitmap.Resample(w, h);
            if (m_bitmap.GetWidth() != w || m_bitmap.GetHeight() != h)
                m_bitmap.CreateWhite(w, h);
        }
        const BYTE* bits = m_bitmap.Lock();
        if (!bits)
            throw CArchiveException(CArchiveException::genericException, ar.m_strFileName);
        ar.Write(bits, std::size_t(w) * std::size_t(h) * 4);
        return;
    }
    m_bitmap.Free();
    if (w < 1 || h < 1)
        return;
    ar.CheckCount(std::int64_t(w) * h, 4);
    m_bitmap.Create(w, h);
    BYTE* bits = m_bitmap.Lock();
    if (!bits)
        throw CArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    ar.Read(bits, std::size_t(w) * std::size_t(h) * 4);
}

void CBitmapItem::Draw(CDC* dc)
{
    CItem::Draw(dc);
    if (dc && m_bitmap.IsValid())
        m_bitmap.DrawTransparent(dc, m_nInset[SIDE_LEFT], m_nInset[SIDE_TOP]);
}

bool CBitmapItem::ExportFiles(CPublishContext& context)
{
    if (!CItem::ExportFiles(context))
        return false;
    CString base = SafeFileNameText(m_strName);
    if (base.IsEmpty())
        base.Format("thumb%d", m_nSerial);
    CString name = base + ".jpg";
    for (int n = 2; context.FindFile(name, &m_nUploadState); ++n)
        name = CString::Formatted("%s_%d.jpg", base.GetString(), n);
    m_strOutputName = name;
    const CString local = context.m_strOutputRoot + context.m_strCurrentFolder + name;
    const PackedBitmapPtr packed = m_bitmap.CopyToGlobal();
    return context.AddWrittenFile(packed && WriteJpegFile(local, *packed, 8), local, context.m_strCurrentFolder + name,
        kPublishFilePicture, &m_nUploadState);
}
