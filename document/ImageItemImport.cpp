#include "document/ImageItemImport.h"
#include "document/KJDoc.h"
#include "model/Clipboard.h"
#include "model/OutputPaths.h"
#include "model/items/ImageItem.h"

#include <QtCore/QFileInfo>
#include <memory>

CImageItem* CreateImageItemFromFile(CKJDoc& doc, const CString& path)
{
    auto item = std::make_unique<CImageItem>();
    if (!ImportImageFile(*item, path))
        return nullptr;
    if (item->m_strBaseName.IsEmpty())
        MakeSafeFileName(*item, CString::FromQString(QFileInfo(path.ToQString()).completeBaseName()));
    item->m_strName = SafeHtmlId(item->m_strBaseName);
    if (doc.FindItemByName(item->m_strBaseName, item.get(), nullptr)) {
        const CString name = CString::Formatted("img%d", doc.m_nImageCounter++);
        MakeSafeFileName(*item, name);
        item->m_strName = SafeHtmlId(item->m_strBaseName);
    }
    item->Render(0);
    item->RecalcLayout();
    return item.release();
}
