#include "model/ItemTypes.h"

const char* GetItemTypeName(int type)
{
    switch (type) {
    case ITEM_GROUP: return "Group";
    case ITEM_PARAGRAPH: return "Paragraph";
    case ITEM_INPUT_FIELD: return "Input Field";
    case ITEM_LIST_CONTROL: return "List Control";
    case ITEM_SUBMIT_BUTTON: return "Submit Button";
    case ITEM_TEXT_AREA: return "Text Area Field";
    case ITEM_CHECK_BOX: return "Check Box";
    case ITEM_RADIO_CHOICE: return "Radio Choice";
    case ITEM_LINK: return "Link";
    case ITEM_ARTISTIC_TEXT: return "Artistic Text";
    case ITEM_PREFORMATTED_TEXT: return "Preformatted Text";
    case ITEM_IMAGE: return "Image";
    case ITEM_TEXT: return "Text";
    case ITEM_HEADING: return "Heading";
    case ITEM_IMAGE_BUTTON: return "Image Button";
    case ITEM_FORM: return "Form";
    case ITEM_YOUTUBE: return "YouTube";
    case ITEM_GOOGLE_MAP: return "Google Map";
    case ITEM_VIDEO_STREAM: return "Video Stream";
    case ITEM_SHAPE: return "Shape";
    case ITEM_FLASH: return "Flash";
    case ITEM_MARQUEE: return "Marquee";
    case ITEM_PHP: return "PHP";
    case ITEM_GALLERY: return "Gallery";
    case ITEM_IMAGE_CLONE: return "Image Clone";
    case ITEM_AUDIO_STREAM: return "Audio Stream";
    case ITEM_GIF: return "GIF";
    case ITEM_MENU: return "Menu";
    case ITEM_EMAIL: return "Email";
    case ITEM_PAYPAL: return "PayPal";
    case ITEM_DATE_PICKER: return "Date Picker";
    case ITEM_LIST: return "List";
    case ITEM_TABLE: return "Table";
    case ITEM_HTML: return "HTML";
    case ITEM_EXTERNAL_WEBSITE: return "External Website";
    case ITEM_SYMBOL: return "Symbol";
    case ITEM_JAVASCRIPT: return "JavaScript";
    case ITEM_SLIDER: return "Slider";
    case ITEM_LIKE_BUTTON: return "Like Button";
    case ITEM_FACEBOOK: return "Facebook";
    case ITEM_EXTERNAL_IMAGE: return "External Image";
    case ITEM_CATEGORIES: return "Categories";
    default: return "";
    }
}
