#include "dialogs/ItemDialogRunner.h"

#include "dialogs/FieldDialogs.h"
#include "dialogs/FormDialogs.h"
#include "dialogs/GalleryDialogs.h"
#include "dialogs/MenuDialogs.h"
#include "dialogs/SliderDialogs.h"
#include "dialogs/TableDialogs.h"
#include "dialogs/TextMediaDialogs.h"
#include "model/ItemTypes.h"
#include "model/items/CheckBoxItem.h"
#include "model/items/DatePickerItem.h"
#include "model/items/EmailItem.h"
#include "model/items/FormItem.h"
#include "model/items/GalleryItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/MenuItem.h"
#include "model/items/RadioChoiceItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SliderItem.h"
#include "model/items/SubmitButtonItem.h"
#include "model/items/TableItem.h"
#include "model/items/TextAreaItem.h"
#include "model/items/TextItem.h"
#include "model/items/VideoStreamItem.h"
#include "model/items/YouTubeItem.h"

namespace {

// A dialog bound to the item through m_pItem, with the document where it has one.
template <class Dialog, class Item> int RunOnItem(CItem& item, CKJDoc* doc, QWidget* parent)
{
    Dialog dlg(parent);
    dlg.m_pItem = static_cast<Item*>(&item);
    if constexpr (requires { dlg.m_pDoc; })
        dlg.m_pDoc = doc;
    return dlg.DoModal();
}

// A form field dialog that checks the name against the page.
template <class Dialog, class Item> int RunOnField(CItem& item, CKJDoc* doc, CPage* page, QWidget* parent)
{
    Dialog dlg(parent);
    dlg.m_pItem = static_cast<Item*>(&item);
    dlg.m_pDoc = doc;
    dlg.m_pContainer = page;
    return dlg.DoModal();
}

} // namespace

bool HasItemPropertiesDialog(int type)
{
    switch (type) {
    case ITEM_LIST_CONTROL: case ITEM_SUBMIT_BUTTON: case ITEM_TEXT_AREA: case ITEM_CHECK_BOX:
    case ITEM_RADIO_CHOICE: case ITEM_PREFORMATTED_TEXT: case ITEM_TEXT: case ITEM_FORM: case ITEM_YOUTUBE:
    case ITEM_VIDEO_STREAM: case ITEM_SHAPE: case ITEM_GALLERY: case ITEM_MENU: case ITEM_EMAIL:
    case ITEM_DATE_PICKER: case ITEM_TABLE: case ITEM_SLIDER:
        return true;
    default:
        return false;
    }
}

int RunItemPropertiesDialog(CItem& item, CKJDoc* doc, CPage* page, QWidget* parent)
{
    switch (item.m_nType) {
    case ITEM_LIST_CONTROL: return RunOnField<DListField, CListControlItem>(item, doc, page, parent);
    case ITEM_SUBMIT_BUTTON: return RunOnField<DFormButton, CSubmitButtonItem>(item, doc, page, parent);
    case ITEM_TEXT_AREA: return RunOnField<DTextAreaField, CTextAreaItem>(item, doc, page, parent);
    case ITEM_CHECK_BOX: return RunOnField<DCheckBox, CCheckBoxItem>(item, doc, page, parent);
    case ITEM_RADIO_CHOICE: return RunOnField<DRadioChoice, CRadioChoiceItem>(item, doc, page, parent);
    case ITEM_DATE_PICKER: return RunOnItem<DDatePicker, CDatePickerItem>(item, doc, parent);
    case ITEM_TEXT: return RunOnItem<DText, CTextItem>(item, doc, parent);
    case ITEM_EMAIL: return RunOnItem<DEmail, CEmailItem>(item, doc, parent);
    case ITEM_SHAPE: return RunOnItem<DShape, CShapeItem>(item, doc, parent);
    case ITEM_FORM: return RunOnItem<DForm, CFormItem>(item, doc, parent);
    case ITEM_GALLERY: return RunOnItem<DGallery, CGalleryItem>(item, doc, parent);
    case ITEM_TABLE: return RunOnItem<DTable, CTableItem>(item, doc, parent);
    case ITEM_SLIDER: return RunOnItem<DSlider, CSliderItem>(item, doc, parent);
    case ITEM_MENU: return RunOnItem<DMenu, CMenuItem>(item, doc, parent);
    case ITEM_PREFORMATTED_TEXT: {
        DPreformattedText dlg(parent);
        dlg.m_strText = item.m_strText;
        dlg.m_bAllowTags = item.m_bRawText;
        const int result = dlg.DoModal();
        if (result == IDOK) {
            item.m_strText = dlg.m_strText;
            item.m_bRawText = dlg.m_bAllowTags;
        }
        return result;
    }
    case ITEM_YOUTUBE: {
        auto& video = static_cast<CYouTubeItem&>(item);
        DYouTube dlg(parent);
        dlg.m_strLink = video.m_strVideoId;
        dlg.m_strArguments = video.m_strParameters;
        if (item.m_nWidth > 0 && item.m_nHeight > 0) {
            dlg.m_nWidth = item.m_nWidth;
            dlg.m_nHeight = item.m_nHeight;
        }
        const int result = dlg.DoModal();
        if (result == IDOK) {
            video.m_strVideoId = dlg.m_strLink;
            video.m_strParameters = dlg.m_strArguments;
            video.m_nWidth = dlg.m_nWidth;
            video.m_nHeight = dlg.m_nHeight;
        }
        return result;
    }
    case ITEM_VIDEO_STREAM: {
        auto& video = static_cast<CVideoStreamItem&>(item);
        DVideoStream dlg(parent);
        if (!video.m_strThirdName.IsEmpty())
            dlg.m_strPath = video.m_strThirdName;
        if (item.m_nWidth > 0 && item.m_nHeight > 0) {
            dlg.m_nWidth = item.m_nWidth;
            dlg.m_nHeight = item.m_nHeight;
        }
        dlg.m_bAutostart = video.m_bAutoStart;
        dlg.m_bNavigation = video.m_bShowController;
        const int result = dlg.DoModal();
        if (result == IDOK) {
            video.m_strThirdName = dlg.m_strPath;
            video.m_nWidth = dlg.m_nWidth;
            video.m_nHeight = dlg.m_nHeight;
            video.m_bAutoStart = dlg.m_bAutostart;
            video.m_bShowController = dlg.m_bNavigation;
        }
        return result;
    }
    default:
        return kNoItemDialog;
    }
}
