#include "DocTestSupport.h"

#include "framework/core/CFile.h"
#include "model/Folder.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/SiteObject.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <algorithm>

namespace doctest {

MessageRecorder::MessageRecorder(int answer)
{
    previous = SetMessageBoxHandler([this, answer](const CString& text, const CString&, unsigned type) {
        texts.push_back(text);
        types.push_back(type);
        return answer;
    });
}

MessageRecorder::~MessageRecorder()
{
    SetMessageBoxHandler(previous);
}

void DataHomeRedirect::Redirect(const QString& folder)
{
    if (!active)
        old = qgetenv("XDG_DATA_HOME");
    active = true;
    qputenv("XDG_DATA_HOME", folder.toUtf8());
}

DataHomeRedirect::~DataHomeRedirect()
{
    if (!active)
        return;
    if (old.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", old);
}

void FailingItem::Serialize(CArchive& ar, int version)
{
    if (ar.IsStoring())
        AfxThrowFileException(CFileException::diskFull, 0, ar.m_strFileName);
    CGroupItem::Serialize(ar, version);
}

std::vector<BYTE> SaveToBytes(CKJDoc& doc)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
    }
    return f.Bytes();
}

std::vector<BYTE> SaveAtCounter(CKJDoc& doc, int counter)
{
    const int now = GetObjectCounter();
    SetObjectCounter(counter);
    std::vector<BYTE> bytes = SaveToBytes(doc);
    SetObjectCounter(std::max(now, counter));
    return bytes;
}

void LoadFromBytes(CKJDoc& doc, const std::vector<BYTE>& bytes)
{
    CMemFile f(bytes.data(), bytes.size());
    CArchive ar(&f, CArchive::load);
    doc.Serialize(ar);
}

bool OpenBytes(CKJDoc& doc, const std::vector<BYTE>& bytes)
{
    QTemporaryDir dir;
    QString path = dir.filePath("p.kjproj");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    f.close();
    return doc.OnOpenDocument(CString::FromQString(path));
}

QByteArray ReadFileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

void BuildRichProject(CKJDoc& doc)
{
    doc.OnNewDocument();
    doc.m_strFtpPassword = CString("s\xE9kret!", 7);
    doc.m_strFtpHost = "ftp.example.com";
    auto folder = std::make_unique<CFolder>();
    folder->m_strBaseName = "docs";
    auto sub = std::make_unique<CFolder>();
    sub->m_strBaseName = "more";
    sub->SetParentFolder(folder.get());
    CFolder* docs = folder.get();
    doc.m_folders.push_back(std::move(folder));
    doc.m_folders.push_back(std::move(sub));
    auto tex = std::make_unique<CPicture>();
    tex->m_strName = "stone";
    tex->m_nFormat = CPicture::FormatPng;
    const BYTE bytes[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
    tex->m_blob.Assign(bytes, sizeof bytes);
    doc.m_textures.push_back(std::move(tex));
    auto guide = std::make_unique<CGuide>();
    guide->m_bVertical = 1;
    guide->m_nPosition = 120;
    doc.m_guides.push_back(std::move(guide));
    auto named = std::make_unique<CNamedString>();
    named->m_name = "phone";
    named->m_value = "555";
    doc.m_namedStrings.push_back(std::move(named));
    auto master = std::make_unique<CMasterItem>();
    master->m_strName = "Master 1";
    CPage* home = doc.m_pages.front().get();
    home->m_nMaster1Id = master->m_nSerial;
    doc.m_masters.push_back(std::move(master));
    CWString title(u"About us");
    CPage* about = doc.AddPage(home, &title);
    about->m_pParent = docs;
    about->m_nParentId = docs->m_nSerial;
    // every item type the factory knows, on the second page
    for (int type = 1; type <= 47; ++type) {
        if (type == ITEM_PAGE || type == ITEM_HEADER_FOOTER || type == ITEM_MASTER)
            continue;
        std::unique_ptr<CItem> item(CreateItem(type));
        if (item)
            about->AddChild(item.release());
    }
    PageAddClone(about, home->GetChild(0));
    auto file = std::make_unique<CFileRecord>();
    file->m_strBaseName = "price";
    file->m_strExtension = ".pdf";
    file->m_blob.Assign("%PDF-1.4", 8);
    doc.m_fileRecords.push_back(std::move(file));
    doc.UpdateItemLinks();
    doc.ApplyPageWidth();
    SettleLayout(doc);
}

void SettleLayout(CKJDoc& doc)
{
    CItemList all;
    doc.CollectAllItems(all);
    for (CItem* i : all)
        i->SetSiteStyles(&doc.m_styles);
    for (CItem* i : all)
        i->RecalcLayout();
}

std::size_t OffsetOfTextureCount(CKJDoc& doc)
{
    // the fixed fields before the two fills and the styles, then their records
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        ar << std::int32_t(0) << std::int32_t(0) << std::int32_t(0) << std::int32_t(0);
        ar << doc.m_strCssFile << doc.m_strExportFolder;
        ar << std::int32_t(0) << std::int32_t(0) << std::int32_t(0);
        ar << doc.m_strRootUrl << doc.m_strFtpHost << std::int32_t(0) << doc.m_strFtpUser << doc.m_strFtpFolder << std::int32_t(0);
        ar << std::int32_t(0); // empty password
        doc.m_allPagesBackground.Serialize(ar, 0);
        doc.m_websiteBackground.Serialize(ar, 0);
        doc.m_styles.Serialize(ar, 0);
        ar.Close();
    }
    return 20 + std::size_t(f.GetLength());
}

} // namespace doctest
