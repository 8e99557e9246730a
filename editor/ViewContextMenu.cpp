#include "editor/ViewContextMenu.h"

#include "model/ItemTypes.h"
#include "resources/CommandIds.h"

namespace {
using C = CMenu;
C::Item Cmd(const char* text, UINT id) { return C::Command(text, id); }

// What every item's popup offers: its dialog, the clipboard, stacking and its look.
std::vector<C::Item> ItemEntries(int type)
{
    std::vector<C::Item> items{Cmd("Properties", ID_ITEM_PROPERTIES), Cmd("Rename", ID_ITEM_RENAME), C::Separator(),
                               Cmd("Cut", ID_EDIT_CUT), Cmd("Copy", ID_EDIT_COPY), Cmd("Paste", ID_EDIT_PASTE),
                               Cmd("Duplicate", ID_EDIT_DUPLICATE), Cmd("Delete", ID_EDIT_DELETE), C::Separator(),
                               Cmd("Bring to Front", ID_ARRANGE_BRING_TO_FRONT),
                               Cmd("Send to Back", ID_ARRANGE_SEND_TO_BACK), C::Separator()};
    const bool text = type == ITEM_PARAGRAPH || type == ITEM_TEXT || type == ITEM_HEADING || type == ITEM_LINK ||
                      type == ITEM_PREFORMATTED_TEXT || type == ITEM_MARQUEE || type == ITEM_EMAIL || type == ITEM_LIST ||
                      type == ITEM_MENU || type == ITEM_INPUT_FIELD || type == ITEM_TEXT_AREA ||
                      type == ITEM_SUBMIT_BUTTON || type == ITEM_CHECK_BOX || type == ITEM_RADIO_CHOICE ||
                      type == ITEM_LIST_CONTROL || type == ITEM_DATE_PICKER || type == ITEM_TABLE;
    if (text) {
        items.push_back(Cmd("Font", ID_ITEM_FONT));
        items.push_back(Cmd("Text Color", ID_ITEM_TEXT_COLOR));
    }
    items.push_back(Cmd("Background", ID_ITEM_BACKGROUND));
    items.push_back(Cmd("Borders", ID_ITEM_BORDERS));
    items.push_back(Cmd("Padding", ID_ITEM_PADDING));
    items.push_back(Cmd("Text Align", ID_TEXT_ALIGN_DIALOG));
    items.push_back(Cmd("Box Align", ID_BOX_ALIGN_DIALOG));
    if (type == ITEM_HEADING)
        items.push_back(Cmd("Heading Style", ID_HEADING_STYLE));
    if (type == ITEM_LINK || type == ITEM_MENU)
        items.push_back(Cmd("Default Link", ID_STYLE_DEFAULT_LINK));
    else if (text) {
        items.push_back(Cmd("Default Font", ID_STYLE_DEFAULT_FONT));
        items.push_back(Cmd("Normal Text", ID_STYLE_NORMAL));
    }
    if (type == ITEM_FORM)
        items.push_back(Cmd("Send Form Data To", ID_FORM_SEND_TO));
    if (type == ITEM_IMAGE || type == ITEM_GIF || type == ITEM_IMAGE_CLONE) {
        items.push_back(C::Separator());
        items.push_back(Cmd("Change Image", ID_IMAGE_CHANGE));
        items.push_back(Cmd("Crop", ID_IMAGE_CROP));
        items.push_back(Cmd("Rotate 90 CW", ID_IMAGE_ROTATE_CW));
        items.push_back(Cmd("Flip Horizontal", ID_IMAGE_FLIP_HORIZONTAL));
    }
    // ---- the Image menu's commands for picture items (their update handlers decide)
    if (type == ITEM_IMAGE || type == ITEM_GIF) {
        for (auto entry : {Cmd("Rotate 90 CCW", ID_IMAGE_ROTATE_CCW), Cmd("Rotate 180", ID_IMAGE_ROTATE_180),
                           Cmd("Flip Vertical", ID_IMAGE_FLIP_VERTICAL), Cmd("Paste Into", ID_EDIT_PASTE_INTO),
                           C::Separator(), Cmd("Contrast/Brightness", ID_IMAGE_CONTRAST), Cmd("Hue", ID_IMAGE_HUE),
                           Cmd("Saturation", ID_IMAGE_SATURATION), Cmd("Remove Background", ID_IMAGE_REMOVE_BACKGROUND)})
            items.push_back(entry);
    }
    if (type == ITEM_IMAGE || type == ITEM_GIF || type == ITEM_IMAGE_BUTTON || type == ITEM_ARTISTIC_TEXT ||
        type == ITEM_SHAPE || type == ITEM_SYMBOL) {
        for (auto entry : {C::Separator(), Cmd("Angle", ID_IMAGE_ANGLE), Cmd("Shadow", ID_IMAGE_SHADOW),
                           Cmd("Fadeout", ID_IMAGE_FADEOUT), Cmd("Invert", ID_IMAGE_INVERT),
                           Cmd("Over Color", ID_IMAGE_OVER_COLOR), Cmd("Clone Image", ID_IMAGE_CLONE)})
            items.push_back(entry);
        if (type != ITEM_IMAGE && type != ITEM_GIF)
            items.push_back(Cmd("Convert to Bitmap", ID_IMAGE_CONVERT_TO_BITMAP));
    }
    items.push_back(C::Separator());
    items.push_back(Cmd("On Click", ID_ACTION_ONCLICK));
    items.push_back(Cmd("Link", ID_ACTION_LINK));
    return items;
}

std::vector<C::Item> InsideEntries()
{
    return {Cmd("Paste", ID_EDIT_PASTE), Cmd("Select All", ID_EDIT_SELECT_ALL)};
}
} // namespace

CMenu MakeViewContextMenu()
{
    static const char* const kNames[POPUP_COUNT] = {
        "Surface",   "Ruler",    "OPage",      "OInsideBox", "OInsideHeadFoot", "OInsideMaster", "ODiv",
        "OPara",     "OInput",   "OCombo",     "OButton",    "OTextArea",       "OCheckbox",     "ORadio",
        "OAhref",    "OArtistic", "OPre",      "OImage",     "OSpan",           "OHeader",       "OImageButton",
        "OForm",     "OYouTube", "OGMap",      "OVideo",     "OShape",          "OFlash",        "OMarquee",
        "OPHP",      "OGallery", "OImageClone", "OAudio",    "OGIF",            "OMenu",         "OMailto",
        "OPayPal",   "ODate",    "OList",      "OTable",     "OHTML",           "OIFrame",       "OSymbol",
        "OHeadFoot", "OFile",    "OJavaScript", "OSlider"};
    CMenu menu;
    for (int i = 0; i < POPUP_COUNT; ++i) {
        std::vector<C::Item> entries;
        switch (i) {
        case POPUP_SURFACE:
            entries = {Cmd("Browser Background", ID_BACKGROUND_BROWSER), Cmd("Grid", ID_VIEW_GRID),
                       Cmd("Center", ID_VIEW_CENTER)};
            break;
        case POPUP_RULER:
            entries = {Cmd("Move", ID_GUIDE_MOVE), Cmd("Duplicate", ID_GUIDE_DUPLICATE), Cmd("Delete", ID_GUIDE_DELETE)};
            break;
        case POPUP_PAGE:
            entries = {Cmd("Paste", ID_EDIT_PASTE), Cmd("Select All", ID_EDIT_SELECT_ALL), C::Separator(),
                       Cmd("Setup", ID_PAGE_SETUP), Cmd("Page Background", ID_BACKGROUND_PAGE),
                       Cmd("Borders", ID_PAGE_BORDERS), Cmd("Padding", ID_PAGE_PADDING), C::Separator(),
                       Cmd("Preview", ID_PAGE_PREVIEW), Cmd("Preview in Browser", ID_PAGE_PREVIEW_BROWSER)};
            break;
        case POPUP_INSIDE_BOX:
            entries = InsideEntries();
            entries.push_back(Cmd("Resize", ID_CONTAINER_RESIZE));
            break;
        case POPUP_INSIDE_BAND:
        case POPUP_INSIDE_MASTER:
            entries = InsideEntries();
            entries.push_back(Cmd("Setup", ID_PAGE_SETUP));
            break;
        case POPUP_BAND:
            entries = {Cmd("Header/Footer", ID_PAGE_HEADER_FOOTER), Cmd("Paste", ID_EDIT_PASTE)};
            break;
        case int(ITEM_FILE_RECORD) + int(POPUP_ITEM_OFFSET):
            entries = {Cmd("Delete", ID_FILE_DELETE_RECORD)};
            break;
        default:
            entries = ItemEntries(i - POPUP_ITEM_OFFSET);
            break;
        }
        menu.items.push_back(C::Popup(kNames[i], std::move(entries)));
    }
    return menu;
}
