// Item/Properties for the gallery, table, slider, menu, form, field and small item kinds:
// every kind that has a dialog opens it, Cancel leaves the item's archive byte-identical,
// and the plain-member dialogs copy their values back only after OK.
#include "DialogTestSupport.h"

#include "dialogs/ItemDialogRunner.h"
#include "document/KJDoc.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/items/VideoStreamItem.h"
#include "model/items/YouTubeItem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

using namespace dialogtest;

namespace {
std::string Bytes(CItem& item)
{
    CDataBlock block;
    CKJDoc::WriteSnapshot(item, block);
    return std::string(reinterpret_cast<const char*>(block.Data()), block.Size());
}
} // namespace

TEST(ItemDialogRunner, EveryKindWithADialogOpensItAndCancelKeepsTheItem)
{
    const int kinds[] = {ITEM_LIST_CONTROL, ITEM_SUBMIT_BUTTON, ITEM_TEXT_AREA, ITEM_CHECK_BOX, ITEM_RADIO_CHOICE,
                         ITEM_PREFORMATTED_TEXT, ITEM_TEXT, ITEM_FORM, ITEM_YOUTUBE, ITEM_VIDEO_STREAM, ITEM_SHAPE,
                         ITEM_GALLERY, ITEM_MENU, ITEM_EMAIL, ITEM_DATE_PICKER, ITEM_TABLE, ITEM_SLIDER};
    CKJDoc doc;
    auto page = std::make_unique<CPage>();
    for (int type = ITEM_PAGE; type <= ITEM_PICTURE; ++type) {
        SCOPED_TRACE(type);
        const bool mine = std::find(std::begin(kinds), std::end(kinds), type) != std::end(kinds);
        EXPECT_EQ(HasItemPropertiesDialog(type), mine);
        std::unique_ptr<CItem> item(CreateItem(type));
        if (!item) {
            EXPECT_FALSE(mine);
            continue;
        }
        const std::string before = Bytes(*item);
        int opened = 0;
        QString caption;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
            ++opened;
            caption = d.windowTitle();
            d.OnCancel();
            return d.GetResult();
        });
        const int result = RunItemPropertiesDialog(*item, &doc, page.get(), nullptr);
        CDialog::SetModalHook(previous);
        EXPECT_EQ(result, mine ? IDCANCEL : kNoItemDialog);
        EXPECT_EQ(opened, mine ? 1 : 0);
        EXPECT_EQ(Bytes(*item), before);
        if (mine) {
            EXPECT_FALSE(caption.isEmpty());
        }
    }
}

TEST(ItemDialogRunner, PlainMemberDialogsCopyBackOnOkOnly)
{
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        CYouTubeItem video;
        video.m_strVideoId = "old";
        video.m_nWidth = 300;
        video.m_nHeight = 200;
        CVideoStreamItem stream;
        stream.m_strThirdName = "https://example.org/old.mp4";
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1001), "300");
            d.SetDlgItemText(1000, "https://youtu.be/newid?t=1");
            d.SetDlgItemText(1002, "250");
            if (ok)
                d.OnOK();
            else
                d.OnCancel();
            return d.GetResult();
        });
        stream.m_nWidth = 300;
        stream.m_nHeight = 200;
        EXPECT_EQ(RunItemPropertiesDialog(video, nullptr, nullptr, nullptr), ok ? IDOK : IDCANCEL);
        EXPECT_EQ(RunItemPropertiesDialog(stream, nullptr, nullptr, nullptr), ok ? IDOK : IDCANCEL);
        CDialog::SetModalHook(previous);
        EXPECT_EQ(video.m_strVideoId, ok ? "newid" : "old");
        EXPECT_EQ(video.m_nHeight, ok ? 250 : 200);
        EXPECT_EQ(stream.m_strThirdName, ok ? "https://youtu.be/newid?t=1" : "https://example.org/old.mp4");
        EXPECT_EQ(stream.m_nHeight, ok ? 250 : 200);
    }
}
