// The Image menu, Edit/Paste Into and the picture items' popups as the user reaches them in
// the running designer: every entry is there, its update handler decides, and it runs.
#include "DesignerFixture.h"

#include "app/DesignerApp.h"
#include "app/MainFrame.h"
#include "app/ProjectDocument.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "editor/ViewContextMenu.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/items/ImageItem.h"

#include <gtest/gtest.h>
#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <typeinfo>

namespace {

// The designer with its new project; what the image entries need of it.
struct RunningDesigner : apptest::RunningDesigner {
    // A selected 4 x 2 picture of two colours, left half red.
    CImageItem* AddPicture()
    {
        auto* image = dynamic_cast<CImageItem*>(CreateItem(ITEM_IMAGE));
        image->m_bPositioned = 1;
        image->m_nX = image->m_nY = 20;
        image->m_picture.Create(4, 2);
        image->m_picture.FillRect(0x000000FF);
        const CRect left(0, 0, 2, 2);
        image->m_picture.FillRect(0x00FF0000, &left);
        image->m_nRenderWidth = 4;
        image->m_nRenderHeight = 2;
        SaveItemPictureTemp(*image);
        view->m_pCurrentPage->AddChild(image);
        image->SetSiteStyles(&view->GetProject()->m_styles);
        image->Render(0);
        image->RecalcLayout();
        image->m_bSelected = 1;
        return image;
    }
};

struct Entry {
    UINT id;
    bool onForOneImage;
    const char* dialog; // what running it opens (null: it changes the picture at once)
};

const Entry kImageMenu[] = {
    {ID_IMAGE_CHANGE, true, nullptr},           {ID_IMAGE_CLONE, true, nullptr},
    {ID_IMAGE_CROP, true, "DCrop"},             {ID_IMAGE_ROTATE_CW, true, nullptr},
    {ID_IMAGE_ROTATE_CCW, true, nullptr},       {ID_IMAGE_ROTATE_180, true, nullptr},
    {ID_IMAGE_FLIP_HORIZONTAL, true, nullptr},  {ID_IMAGE_FLIP_VERTICAL, true, nullptr},
    {ID_IMAGE_ANGLE, true, "DAngle"},           {ID_IMAGE_CONTRAST, true, "DBrightnessContrast"},
    {ID_IMAGE_HUE, true, "DHue"},               {ID_IMAGE_SATURATION, true, "DSaturation"},
    {ID_IMAGE_INVERT, true, nullptr},           {ID_IMAGE_REMOVE_BACKGROUND, true, "DMakeTransparent"},
    {ID_IMAGE_SHADOW, true, "DDropShadow"},     {ID_IMAGE_FADEOUT, true, "DEdgeFadeout"},
    {ID_IMAGE_OVER_COLOR, true, "DImageOverColor"}, {ID_IMAGE_CONVERT_TO_BITMAP, false, nullptr},
    {ID_IMAGE_MERGE, false, nullptr},           {ID_EDIT_PASTE_INTO, true, nullptr},
};

TEST(ImageMenus, MainMenuEntriesAreFoundEnabledAndRun)
{
    RunningDesigner d;
    ASSERT_NE(d.view, nullptr);
    CImageItem* image = d.AddPicture();
    QGuiApplication::clipboard()->setImage(QImage(2, 2, QImage::Format_ARGB32));
    CMainFrame* main = d.app.MainFrame();
    main->UpdateCmdUI();
    for (const Entry& e : kImageMenu) {
        QAction* a = d.MainMenuEntry(e.id);
        ASSERT_NE(a, nullptr) << e.id << " is not on the menu";
        EXPECT_EQ(a->isEnabled(), e.onForOneImage) << e.id;
    }
    // the dialogs open from the menu
    for (const Entry& e : kImageMenu) {
        if (!e.dialog)
            continue;
        main->UpdateCmdUI();
        const std::size_t before = d.opened.size();
        d.MainMenuEntry(e.id)->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(d.opened.size(), before + 1) << e.id;
        EXPECT_NE(d.opened.back().find(e.dialog), std::string::npos) << d.opened.back() << " for " << e.id;
    }
    // a turn from the menu turns the picture: the left column is red now on top
    main->UpdateCmdUI();
    d.MainMenuEntry(ID_IMAGE_ROTATE_CW)->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(image->m_picture.GetWidth(), 2);
    EXPECT_EQ(image->m_picture.GetHeight(), 4);
    EXPECT_EQ(image->m_picture.GetPixelChecked(0, 0), 0x00FF0000u);
    EXPECT_EQ(image->m_picture.GetPixelChecked(0, 3), 0x000000FFu);
}

TEST(ImageMenus, PicturePopupsOfferTheImageCommands)
{
    RunningDesigner d;
    ASSERT_NE(d.view, nullptr);
    d.AddPicture();
    d.view->m_bContextMenuModal = false;
    std::unique_ptr<QMenu> popup(d.view->CreateContextPopup(int(ITEM_IMAGE) + int(POPUP_ITEM_OFFSET), nullptr));
    ASSERT_NE(popup, nullptr);
    for (const Entry& e : kImageMenu) {
        if (e.id == ID_IMAGE_CONVERT_TO_BITMAP || e.id == ID_IMAGE_MERGE)
            continue; // not for a picture alone
        QAction* a = apptest::FindMenuCommand(popup.get(), e.id);
        ASSERT_NE(a, nullptr) << e.id << " is not on the picture's popup";
    }
    const std::size_t before = d.opened.size();
    apptest::FindMenuCommand(popup.get(), ID_IMAGE_HUE)->trigger();
    QCoreApplication::processEvents();
    ASSERT_EQ(d.opened.size(), before + 1);
    EXPECT_NE(d.opened.back().find("DHue"), std::string::npos);

    for (int type : {ITEM_SHAPE, ITEM_SYMBOL, ITEM_ARTISTIC_TEXT, ITEM_IMAGE_BUTTON}) {
        std::unique_ptr<QMenu> drawn(d.view->CreateContextPopup(type + int(POPUP_ITEM_OFFSET), nullptr));
        ASSERT_NE(drawn, nullptr) << type;
        for (UINT id : {ID_IMAGE_ANGLE, ID_IMAGE_SHADOW, ID_IMAGE_FADEOUT, ID_IMAGE_INVERT, ID_IMAGE_OVER_COLOR,
                        ID_IMAGE_CLONE, ID_IMAGE_CONVERT_TO_BITMAP})
            EXPECT_NE(apptest::FindMenuCommand(drawn.get(), id), nullptr) << type << " " << id;
    }
}

} // namespace
