#include "model/ItemFactory.h"
#include "model/GroupItem.h"
#include "model/HeaderFooterItem.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/AudioStreamItem.h"
#include "model/items/CategoriesItem.h"
#include "model/items/CheckBoxItem.h"
#include "model/items/DatePickerItem.h"
#include "model/items/EmailItem.h"
#include "model/items/ExternalImageItem.h"
#include "model/items/ExternalWebsiteItem.h"
#include "model/items/FacebookItem.h"
#include "model/items/FlashItem.h"
#include "model/items/FormItem.h"
#include "model/items/GalleryItem.h"
#include "model/items/GoogleMapItem.h"
#include "model/items/HeadingItem.h"
#include "model/items/HtmlItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/JavaScriptItem.h"
#include "model/items/LikeButtonItem.h"
#include "model/items/LinkItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/ListItem.h"
#include "model/items/MarqueeItem.h"
#include "model/items/MenuItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/PhpItem.h"
#include "model/items/PreformattedTextItem.h"
#include "model/items/RadioChoiceItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SliderItem.h"
#include "model/items/SubmitButtonItem.h"
#include "model/items/SymbolItem.h"
#include "model/items/TableItem.h"
#include "model/items/TextAreaItem.h"
#include "model/items/TextItem.h"
#include "model/items/VideoStreamItem.h"
#include "model/items/YouTubeItem.h"

CItem* CreateItem(int type)
{
    switch (type) {
    case ITEM_PAGE: return new CPage;
    case ITEM_GROUP: return new CGroupItem;
    case ITEM_PARAGRAPH: return new CParagraphItem;
    case ITEM_INPUT_FIELD: return new CInputFieldItem;
    case ITEM_LIST_CONTROL: return new CListControlItem;
    case ITEM_SUBMIT_BUTTON: return new CSubmitButtonItem;
    case ITEM_TEXT_AREA: return new CTextAreaItem;
    case ITEM_CHECK_BOX: return new CCheckBoxItem;
    case ITEM_RADIO_CHOICE: return new CRadioChoiceItem;
    case ITEM_LINK: return new CLinkItem;
    case ITEM_ARTISTIC_TEXT: return new CArtisticTextItem;
    case ITEM_PREFORMATTED_TEXT: return new CPreformattedTextItem;
    case ITEM_IMAGE: return new CImageItem;
    case ITEM_TEXT: return new CTextItem;
    case ITEM_HEADING: return new CHeadingItem;
    case ITEM_IMAGE_BUTTON: return new CImageButtonItem;
    case ITEM_FORM: return new CFormItem;
    case ITEM_YOUTUBE: return new CYouTubeItem;
    case ITEM_GOOGLE_MAP: return new CGoogleMapItem;
    case ITEM_VIDEO_STREAM: return new CVideoStreamItem;
    case ITEM_SHAPE: return new CShapeItem;
    case ITEM_FLASH: return new CFlashItem;
    case ITEM_MARQUEE: return new CMarqueeItem;
    case ITEM_PHP: return new CPhpItem;
    case ITEM_GALLERY: return new CGalleryItem;
    case ITEM_IMAGE_CLONE: return new CImageCloneItem;
    case ITEM_AUDIO_STREAM: return new CAudioStreamItem;
    case ITEM_GIF: return new CImageItem; // an Image item; its record's code 28 then stands in it
    case ITEM_MENU: return new CMenuItem;
    case ITEM_EMAIL: return new CEmailItem;
    case ITEM_PAYPAL: return new CPayPalItem;
    case ITEM_DATE_PICKER: return new CDatePickerItem;
    case ITEM_LIST: return new CListItem;
    case ITEM_TABLE: return new CTableItem;
    case ITEM_HTML: return new CHtmlItem;
    case ITEM_EXTERNAL_WEBSITE: return new CExternalWebsiteItem;
    case ITEM_SYMBOL: return new CSymbolItem;
    case ITEM_HEADER_FOOTER: return new CHeaderFooterItem;
    case ITEM_JAVASCRIPT: return new CJavaScriptItem;
    case ITEM_SLIDER: return new CSliderItem;
    case ITEM_LIKE_BUTTON: return new CLikeButtonItem;
    case ITEM_FACEBOOK: return new CFacebookItem;
    case ITEM_EXTERNAL_IMAGE: return new CExternalImageItem;
    case ITEM_CATEGORIES: return new CCategoriesItem;
    default: return nullptr;
    }
}
