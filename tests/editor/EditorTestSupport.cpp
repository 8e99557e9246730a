#include "EditorTestSupport.h"

#include "model/Folder.h"
#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"

#include <gtest/gtest.h>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>

namespace {
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_editor";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QApplication* m_app = nullptr;
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

void SetFill(CItem& item, COLORREF fill)
{
    if (!item.m_pFill)
        item.m_pFill = std::make_unique<CFillStyle>();
    item.m_pFill->m_crColor = fill;
}
} // namespace

namespace edtest {

CGroupItem* AddBox(CGroupItem& parent, int x, int y, int w, int h, COLORREF fill)
{
    auto* box = new CGroupItem;
    box->m_bPositioned = 1;
    box->m_nX = x;
    box->m_nY = y;
    box->m_nWidth = w;
    box->m_nHeight = h;
    box->m_nWidthMode = box->m_nHeightMode = 0;
    SetFill(*box, fill);
    parent.AddChild(box);
    return box;
}

CPage* AddPage(CKJDoc& doc, int w, int h, COLORREF fill, const char* name)
{
    auto page = std::make_unique<CPage>();
    page->m_nWidth = w;
    page->m_nHeight = h;
    page->m_strBaseName = name;
    page->m_strExtension = ".html";
    page->m_title = name;
    SetFill(*page, fill);
    doc.m_pages.push_back(std::move(page));
    return doc.m_pages.back().get();
}

CHeaderFooterItem* AddBand(CKJDoc& doc, bool header, int w, int h, COLORREF fill)
{
    auto band = std::make_unique<CHeaderFooterItem>();
    band->m_nWidth = w;
    band->m_nHeight = h;
    SetFill(*band, fill);
    auto& list = header ? doc.m_headerBands : doc.m_footerBands;
    list.push_back(std::move(band));
    return list.back().get();
}

CMasterItem* AddMaster(CKJDoc& doc, int w, int h)
{
    auto master = std::make_unique<CMasterItem>();
    master->m_nWidth = w;
    master->m_nHeight = h;
    master->m_strName = "Master 1";
    doc.m_masters.push_back(std::move(master));
    return doc.m_masters.back().get();
}

CFolder* AddFolder(CKJDoc& doc, const char* name, CFolder* parent)
{
    auto folder = std::make_unique<CFolder>();
    folder->m_strBaseName = name;
    folder->SetParentFolder(parent);
    doc.m_folders.push_back(std::move(folder));
    return doc.m_folders.back().get();
}

ViewFixture::ViewFixture(CKJDoc& doc, int clientWidth, int clientHeight)
{
    view.SetProject(&doc);
    view.SetFrame(&frame);
    const int bw = view.findChild<QScrollBar*>() ? QScrollBar(Qt::Vertical).sizeHint().width() : 0;
    const int bh = QScrollBar(Qt::Horizontal).sizeHint().height();
    view.resize(clientWidth + bw, clientHeight + bh);
    view.show(); // resize events arrive at once
    view.OnInitialUpdate();
    QCoreApplication::processEvents();
}

QRgb ViewFixture::At(const QImage& image, const CKJView& view, int x, int y)
{
    const CPoint p = view.PageToClient(CPoint(x, y));
    if (!image.rect().contains(p.x, p.y))
        return 0;
    return image.pixel(p.x, p.y) | 0xFF000000u;
}

} // namespace edtest
