#include "app/AppResources.h"

#include <string>

void LoadAppResources()
{
    AfxRegisterStrings({
        {57344, "Tessel Web Designer"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {IDR_KJTYPE, "\nUntitled\nTessel Web Designer\nTessel Web Designer (*.kjproj)\n.kjproj\nKJ.Document\nTessel Web Designer Project"},
        {ID_FILE_NEW, "Create a new website project\nNew Project"},
        {ID_FILE_OPEN_PROJECT, "Open an existing website project\nOpen Project"},
        {ID_WEBSITE_WIZARD, "Create a new multipage website project\nWebsite Wizard"},
        {ID_FILE_TEMPLATES, "Open folder with built-in templates"},
        {ID_LAUNCH_FTP, "Run external FTP client to manage files online"},
        {ID_HELP_CONTENTS, "Display help file\nHelp"},
        {ID_HELP_EXAMPLES, "Open folder with sample projects"},
        {ID_BROWSE_BACKUPS, "Show folder with project backups"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_TUTORIALS, "Open website with online tutorials"},
        {ID_FILE_SAVE, "Save the active website project\nSave"},
        {ID_FILE_SAVE_AS, "Save the active website project under a new name\nSave As"},
        {ID_FILE_CLOSE, "Close the active website project\nClose"},
        {ID_APP_EXIT, "Quit the designer; asks to save changed projects\nExit"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbars\nToolbars"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nStatus Bar"},
        {ID_VIEW_CENTER, "Center current view\nCenter"},
        {ID_VIEW_BROWSER_FRAME, "Show the page in a browser window frame\nBrowser Frame"},
        {ID_VIEW_MOBILE_FRAME, "Show the page in a mobile device frame\nMobile Device Frame"},
        {ID_VIEW_NEXT_PAGE, "Show the next page of the site tree\nNext Page"},
        {ID_VIEW_PREVIOUS_PAGE, "Show the previous page of the site tree\nPrevious Page"},
        {ID_VIEW_GRID, "Set the grid and the guides\nGrid"},
        {ID_WINDOW_CASCADE, "Arrange the project windows so they overlap\nCascade"},
        {ID_WINDOW_TILE_HORZ, "Arrange the project windows side by side\nTile"},
        {ID_EDIT_UNDO, "Undo the last change\nUndo"},
        {ID_EDIT_CUT, "Cut the selection to the clipboard\nCut"},
        {ID_EDIT_COPY, "Copy the selection to the clipboard\nCopy"},
        {ID_EDIT_PASTE, "Insert the clipboard contents\nPaste"},
        {ID_ITEM_FONT, "Change the font of the selected items\nFont"},
        {ID_ITEM_TEXT_COLOR, "Change the text colour of the selected items\nText Color"},
        {ID_LARGER_FONT, "Make the text of the selected items larger\nLarger Font"},
        {ID_SMALLER_FONT, "Make the text of the selected items smaller\nSmaller Font"},
        {ID_BOLD, "Make the selected text bold\nBold"},
        {ID_ITALIC, "Make the selected text italic\nItalic"},
        {ID_UNDERLINE, "Underline the selected text\nUnderline"},
        {ID_ALIGN_LEFT, "Align the text to the left\nAlign Left"},
        {ID_ALIGN_CENTER, "Centre the text\nAlign Center"},
        {ID_ALIGN_RIGHT, "Align the text to the right\nAlign Right"},
        {ID_PAGE_PREVIEW, "Preview the page\nPreview"},
        {ID_PAGE_PREVIEW_BROWSER, "Preview the page in the web browser\nPreview in Browser"},
        {ID_PAGE_INSERT, "Add a new page to the website\nInsert Page"},
        {ID_PAGE_SETUP, "Change the settings of the page\nPage Setup"},
        {ID_WEBSITE_UPLOAD, "Upload the changed files of the website\nUpload"},
        {ID_WEBSITE_UPLOAD_ALL, "Upload every file of the website\nUpload All"},
        {ID_WEBSITE_SETTINGS, "Base url where your uploaded files will be accessible online"},
        {ID_EXPORT_TO_FOLDER, "Write the whole website into a folder\nExport to Folder"},
        {ID_INSERT_PARAGRAPH, "Insert a paragraph of text\nParagraph"},
        {ID_INSERT_TEXT, "Insert a line of text\nText"},
        {ID_INSERT_HEADING, "Insert a heading\nHeading"},
        {ID_INSERT_LINK, "Insert a text link\nLink"},
        {ID_INSERT_ARTISTIC, "Insert artistic text\nArtistic Text"},
        {ID_INSERT_IMAGE, "Insert an image\nImage"},
        {ID_INSERT_BUTTON, "Insert an image button\nButton"},
        {ID_INSERT_MENU, "Insert a menu\nMenu"},
        {ID_INSERT_SHAPE, "Insert a shape\nShape"},
        {ID_INSERT_GROUP, "Insert a box that holds other items\nGroup"},
        {ID_INSERT_SCROLLAREA, "Insert a box with scroll bars\nScroll Area"},
        {ID_FORM_NEW, "Insert a form\nNew Form"},
        {ID_FORM_INPUT, "Insert an input field\nInput Field"},
        {ID_FORM_LIST, "Insert a list choice\nList Choice"},
        {ID_FORM_DROPDOWN, "Insert a drop down list\nDrop Down List"},
        {ID_FORM_TEXTAREA, "Insert a text area field\nText Area"},
        {ID_FORM_CHECKBOX, "Insert a check box\nCheck Box"},
        {ID_FORM_RADIO, "Insert a radio choice\nRadio Choice"},
        {ID_FORM_SUBMIT, "Insert a submit button\nSubmit Button"},
        {ID_ACTION_ONCLICK, "Set the action of a click on the item\nOn Click"},
        {ID_ACTION_LINK, "Set the link of the item\nLink"},
        {ID_INSERT_FLASH, "Insert a Flash movie\nFlash"},
        {ID_INSERT_YOUTUBE, "Insert a YouTube video\nYouTube"},
        {ID_INSERT_VIDEO, "Insert a video\nVideo"},
        {ID_INSERT_PHP, "Insert PHP code\nPHP"},
        {ID_INSERT_MARQUEE, "Insert scrolling text\nMarquee"},
        {ID_INSERT_TAB, "Insert a tab shape\nTab"},
        {ID_INSERT_GRADIENT, "Insert a gradient shape\nGradient"},
        {ID_INSERT_GALLERY, "Create multi image gallery\nInsert Gallery"},
        {ID_INSERT_SLIDER, "Create slide-show object with changing images"},
        {ID_INSERT_TABLE, "Create table with rows and columns\nInsert Table"},
        {ID_INSERT_LIST, "Create list with numbers\nInsert Numbered List"},
        {ID_INSERT_CATEGORIES, "Create submenu with links\nInsert Categories"},
        {ID_INSERT_EMAIL, "Create text that popups email client when clicked\nInsert Email"},
        {ID_INSERT_SYMBOL, "Create wingdings or webdings element\nInsert Symbol"},
        {ID_INSERT_AUDIO, "Load MP3 or WAV sound file\nInsert Audio"},
        {ID_INSERT_GOOGLE_MAP, "Create scrollable map with marker and callout\nInsert Map"},
        {ID_INSERT_PAYPAL, "Create button to collect payments with PayPal\nInsert PayPal"},
        {ID_INSERT_LIKE_BUTTON, "Add Facebook like button and like count\nInsert Like Button"},
        {ID_INSERT_FACEBOOK, "Insert stream of information connected to facebook profile"},
        {ID_INSERT_HTML, "Insert HTML code\nInsert HTML"},
        {ID_INSERT_JAVASCRIPT, "Add JavaScript code to execute inside browser\nInsert JavaScript"},
        {ID_INSERT_EXTERNAL_WEBSITE, "Insert contents of another website\nInsert Website"},
        {ID_INSERT_EXTERNAL_IMAGE, "Insert image that loads dynamically form another file"},
        {ID_INSERT_PDF, "Add PDF file to the project\nInsert PDF"},
        {ID_INSERT_RULERS, "Add vertical and horizontal guides"},
        {ID_INSERT_MARGINS, "Add rulers to align utmost items"},
        {ID_BACKGROUND_BROWSER, "Change background of the browser"},
        {ID_FORM_DATE_PICKER, "Create drop down list of available dates\nInsert Date Picker"},
        {ID_FORM_FILE_CHOOSER, "Create input for uploading files"},
        {ID_FORM_COLOR_PICKER, "Create input for choosing color"},
        {ID_ARRANGE_FLOW_FIRST, "Move selected items before others\nFlow as First"},
        {ID_ARRANGE_FLOW_LAST, "Move selected items after others\nFlow as Last"},
        {ID_WEBSITE_STRINGS, "Manage predefined strings in the project"},
        {ID_STYLE_CLASSES, "Manage classes in the project"},
        {ID_PAGE_WIDTH, "Change width of all pages"},
        {ID_VIEW_RAW_CSS, "Add custom code to .css file"},
        {ID_PREVIEW_ONLINE, "Upload and preview current page from the server\nPreview Online"},
        {ID_EDIT_ACTIONS, "\nEdit Actions"},
        // item insertion
        {ID_INSERT_ICON, "Insert icons from picture files\nInsert Icon"},
        {ID_INSERT_PREFORMATTED, "Insert text shown as typed, in a fixed-width font\nPreformatted Text"},
    });
    AfxRegisterString(ID_INDICATOR_SELECTION_PANE, std::string(125, ' ').c_str());
}

namespace {
std::vector<CMenu::Item> FileItems(bool project)
{
    std::vector<CMenu::Item> items{CMenu::Command("New Project\tCtrl+N", ID_FILE_NEW),
                                   CMenu::Command("Open Project\tCtrl+O", ID_FILE_OPEN_PROJECT),
                                   CMenu::Command("Website Wizard", ID_WEBSITE_WIZARD),
                                   CMenu::Command("Templates", ID_FILE_TEMPLATES)};
    if (project) {
        items.push_back(CMenu::Command("Close", ID_FILE_CLOSE));
        items.push_back(CMenu::Separator());
        items.push_back(CMenu::Command("Save\tCtrl+S", ID_FILE_SAVE));
        items.push_back(CMenu::Command("Save As", ID_FILE_SAVE_AS));
    }
    items.push_back(CMenu::Separator());
    items.push_back(CMenu::Command("Launch FTP", ID_LAUNCH_FTP));
    items.push_back(CMenu::Separator());
    items.push_back(CMenu::Command("Recent File", ID_FILE_MRU_FILE1));
    items.push_back(CMenu::Separator());
    items.push_back(CMenu::Command("Exit", ID_APP_EXIT));
    return items;
}

CMenu::Item ViewPopup()
{
    // menu 128's View popup; the project menu builds its own with the page view's commands
    return CMenu::Popup("&View", {CMenu::Command("Toolbar", ID_VIEW_TOOLBAR), CMenu::Command("Status Bar", ID_VIEW_STATUS_BAR)});
}

CMenu::Item HelpPopup(bool project)
{
    std::vector<CMenu::Item> items{CMenu::Command("Contents\tF1", ID_HELP_CONTENTS),
                                   CMenu::Command("Getting Started", ID_GETTING_STARTED),
                                   CMenu::Command("Examples", ID_HELP_EXAMPLES),
                                   CMenu::Command("Browse Backups", ID_BROWSE_BACKUPS)};
    if (!project)
        items.push_back(CMenu::Command("Like It", ID_HELP_LIKE_IT));
    items.push_back(CMenu::Separator());
    items.push_back(CMenu::Command("About", ID_APP_ABOUT));
    return CMenu::Popup("&Help", std::move(items));
}
} // namespace

CMenu MakeMainMenu()
{
    CMenu menu;
    menu.items = {CMenu::Popup("&File", FileItems(false)), ViewPopup(), HelpPopup(false)};
    menu.accelerators = {{ID_FILE_NEW, "Ctrl+N"}, {ID_FILE_OPEN_PROJECT, "Ctrl+O"}, {ID_HELP_CONTENTS, "F1"}};
    return menu;
}

namespace {
using C = CMenu;
C::Item Cmd(const char* text, UINT id) { return C::Command(text, id); }
C::Item Sep() { return C::Separator(); }
} // namespace

std::vector<CMenu::Accel> ProjectAccelerators()
{
    return {
        {ID_FILE_NEW, "Ctrl+N"},          {ID_FILE_OPEN_PROJECT, "Ctrl+O"},  {ID_FILE_SAVE, "Ctrl+S"},
        {ID_EDIT_UNDO, "Ctrl+Z"},         {ID_EDIT_CUT, "Ctrl+X"},           {ID_EDIT_COPY, "Ctrl+C"},
        {ID_EDIT_PASTE, "Ctrl+V"},        {ID_EDIT_SELECT_ALL, "Ctrl+A"},    {ID_EDIT_DELETE, "Del"},
        {ID_VIEW_NEXT_PAGE, "PgDown"},    {ID_VIEW_PREVIOUS_PAGE, "PgUp"},   {ID_FORM_TAB_INDEX, "Ctrl+T"},
        {ID_PAGE_JAVASCRIPT, "Ctrl+J"},   {ID_PAGE_RAW_HTML, "Ctrl+H"},      {ID_PAGE_RAW_PHP, "Ctrl+P"},
        {ID_PAGE_PREVIEW_BROWSER, "F9"},  {ID_WEBSITE_UPLOAD, "Ctrl+U"},     {ID_ITEM_RENAME, "F2"},
        {ID_ITEM_CLASS, "F3"},            {ID_ACTION_LINK, "F4"},            {ID_ACTION_ONCLICK, "F5"},
        {ID_ACTION_ON_CHANGE, "F6"},      {ID_ARRANGE_LEFT, "Ctrl+Left"},    {ID_ARRANGE_RIGHT, "Ctrl+Right"},
        {ID_ARRANGE_TOP, "Ctrl+Up"},      {ID_ARRANGE_BOTTOM, "Ctrl+Down"},  {ID_HELP_CONTENTS, "F1"},
    };
}

CMenu MakeProjectMenu()
{
    std::vector<C::Item> lineWidths{Cmd("None", ID_ITEM_LINE_WIDTH_NONE)};
    static const char* const kWidths[] = {"1px", "2px", "3px", "4px", "5px", "6px", "7px", "8px", "9px", "10px"};
    for (UINT i = 0; i < 10; ++i)
        lineWidths.push_back(Cmd(kWidths[i], ID_ITEM_LINE_WIDTH_NONE + 1 + i));

    CMenu menu;
    menu.items = {
        C::Popup("&File", FileItems(true)),
        C::Popup("&Edit", {Cmd("Undo\tCtrl+Z", ID_EDIT_UNDO), Sep(), Cmd("Cut\tCtrl+X", ID_EDIT_CUT),
                           Cmd("Copy\tCtrl+C", ID_EDIT_COPY), Cmd("Paste\tCtrl+V", ID_EDIT_PASTE),
                           Cmd("Paste Into", ID_EDIT_PASTE_INTO), Cmd("Delete\tDel", ID_EDIT_DELETE), Sep(),
                           Cmd("Duplicate", ID_EDIT_DUPLICATE), Cmd("Group", ID_EDIT_GROUP),
                           Cmd("Ungroup", ID_EDIT_UNGROUP), Cmd("Group as Form", ID_EDIT_GROUP_AS_FORM),
                           Cmd("Clone to Page", ID_EDIT_CLONE_TO_PAGE), Sep(),
                           Cmd("Select All\tCtrl+A", ID_EDIT_SELECT_ALL)}),
        C::Popup("&View", {Cmd("Toolbar", ID_VIEW_TOOLBAR), Cmd("Status Bar", ID_VIEW_STATUS_BAR), Sep(),
                           Cmd("Center", ID_VIEW_CENTER), Cmd("Browser Frame", ID_VIEW_BROWSER_FRAME),
                           Cmd("Mobile Device Frame", ID_VIEW_MOBILE_FRAME), Cmd("Grid", ID_VIEW_GRID),
                           Cmd("Next Page\tPgDown", ID_VIEW_NEXT_PAGE),
                           Cmd("Previous Page\tPgUp", ID_VIEW_PREVIOUS_PAGE), Sep(),
                           Cmd("View Source", ID_VIEW_SOURCE), Cmd("View Styles", ID_VIEW_STYLES),
                           Cmd("Raw CSS", ID_VIEW_RAW_CSS), Cmd("Word Count", ID_VIEW_WORD_COUNT)}),
        C::Popup("&Insert",
                 {Cmd("Paragraph", ID_INSERT_PARAGRAPH), Cmd("Text", ID_INSERT_TEXT),
                  Cmd("Heading", ID_INSERT_HEADING), Cmd("Preformatted Text", ID_INSERT_PREFORMATTED),
                  Cmd("Link", ID_INSERT_LINK), Cmd("Artistic Text", ID_INSERT_ARTISTIC),
                  Cmd("Symbol", ID_INSERT_SYMBOL), Cmd("Email", ID_INSERT_EMAIL), Sep(),
                  Cmd("Image", ID_INSERT_IMAGE), Cmd("Button", ID_INSERT_BUTTON), Cmd("Icon", ID_INSERT_ICON),
                  Cmd("External Image", ID_INSERT_EXTERNAL_IMAGE), Cmd("Gallery", ID_INSERT_GALLERY),
                  Cmd("Slider", ID_INSERT_SLIDER), Sep(), Cmd("Menu", ID_INSERT_MENU),
                  Cmd("Categories", ID_INSERT_CATEGORIES), Cmd("List", ID_INSERT_LIST),
                  Cmd("Table", ID_INSERT_TABLE), Cmd("Shape", ID_INSERT_SHAPE), Cmd("Group", ID_INSERT_GROUP), Sep(),
                  Cmd("Flash", ID_INSERT_FLASH), Cmd("YouTube", ID_INSERT_YOUTUBE), Cmd("Video", ID_INSERT_VIDEO),
                  Cmd("Audio", ID_INSERT_AUDIO), Cmd("Marquee", ID_INSERT_MARQUEE),
                  Cmd("Google Map", ID_INSERT_GOOGLE_MAP), Cmd("PayPal", ID_INSERT_PAYPAL),
                  Cmd("Like Button", ID_INSERT_LIKE_BUTTON), Cmd("Facebook", ID_INSERT_FACEBOOK), Sep(),
                  Cmd("HTML", ID_INSERT_HTML), Cmd("PHP", ID_INSERT_PHP), Cmd("JavaScript", ID_INSERT_JAVASCRIPT),
                  Cmd("External Website", ID_INSERT_EXTERNAL_WEBSITE), Cmd("PDF", ID_INSERT_PDF), Sep(),
                  Cmd("Rulers", ID_INSERT_RULERS), Cmd("Margins", ID_INSERT_MARGINS),
                  C::Popup("Background", {Cmd("Page Background", ID_BACKGROUND_PAGE),
                                          Cmd("Master Background", ID_BACKGROUND_MASTER),
                                          Cmd("Browser Background", ID_BACKGROUND_BROWSER)})}),
        C::Popup("F&orm", {Cmd("New Form", ID_FORM_NEW), Cmd("Input Field", ID_FORM_INPUT),
                           Cmd("Text Area Field", ID_FORM_TEXTAREA), Cmd("List Choice", ID_FORM_LIST),
                           Cmd("Drop Down List", ID_FORM_DROPDOWN), Cmd("Check Box", ID_FORM_CHECKBOX),
                           Cmd("Radio Choice", ID_FORM_RADIO), Cmd("Submit Button", ID_FORM_SUBMIT),
                           Cmd("Date Picker", ID_FORM_DATE_PICKER), Cmd("File Chooser", ID_FORM_FILE_CHOOSER),
                           Cmd("Color Picker", ID_FORM_COLOR_PICKER), Sep(),
                           Cmd("Tab Index\tCtrl+T", ID_FORM_TAB_INDEX)}),
        C::Popup("&Page", {Cmd("Insert", ID_PAGE_INSERT), Cmd("Insert Master", ID_PAGE_INSERT_MASTER),
                           Cmd("Delete", ID_PAGE_DELETE), Sep(), Cmd("Setup", ID_PAGE_SETUP),
                           Cmd("Search Optimization", ID_PAGE_TITLE), Cmd("Rename/Move", ID_PAGE_RENAME_MOVE),
                           Cmd("Header/Footer", ID_PAGE_HEADER_FOOTER), Cmd("Width", ID_PAGE_WIDTH),
                           Cmd("Height", ID_PAGE_HEIGHT), Cmd("Margin", ID_PAGE_MARGIN),
                           Cmd("Borders", ID_PAGE_BORDERS), Cmd("Padding", ID_PAGE_PADDING), Sep(),
                           Cmd("JavaScript\tCtrl+J", ID_PAGE_JAVASCRIPT), Cmd("Raw HTML\tCtrl+H", ID_PAGE_RAW_HTML),
                           Cmd("Raw PHP\tCtrl+P", ID_PAGE_RAW_PHP), Cmd("Raw HEAD", ID_PAGE_RAW_HEAD), Sep(),
                           Cmd("Preview", ID_PAGE_PREVIEW), Cmd("Preview in Browser\tF9", ID_PAGE_PREVIEW_BROWSER)}),
        C::Popup("&Website", {Cmd("Upload\tCtrl+U", ID_WEBSITE_UPLOAD), Cmd("Upload All", ID_WEBSITE_UPLOAD_ALL),
                              Cmd("Login", ID_WEBSITE_LOGIN), Cmd("Browse", ID_WEBSITE_BROWSE),
                              Cmd("Export to Folder", ID_EXPORT_TO_FOLDER), Sep(),
                              Cmd("New Folder", ID_FOLDER_INSERT), Cmd("Layout", ID_WEBSITE_LAYOUT),
                              Cmd("Strings", ID_WEBSITE_STRINGS), Cmd("Statistics", ID_WEBSITE_STATISTICS),
                              Cmd("Settings", ID_WEBSITE_SETTINGS)}),
        C::Popup("&Style", {Cmd("Default Font", ID_STYLE_DEFAULT_FONT), Cmd("Default Link", ID_STYLE_DEFAULT_LINK),
                            Sep(), Cmd("Heading 1", ID_STYLE_HEADING1), Cmd("Heading 2", ID_STYLE_HEADING2),
                            Cmd("Heading 3", ID_STYLE_HEADING3), Cmd("Heading 4", ID_STYLE_HEADING4),
                            Cmd("Heading 5", ID_STYLE_HEADING5), Cmd("Heading 6", ID_STYLE_HEADING6),
                            Cmd("Preformatted", ID_STYLE_PREFORMATTED), Cmd("Button", ID_STYLE_BUTTON),
                            Cmd("Combo", ID_STYLE_COMBO), Sep(), Cmd("Classes", ID_STYLE_CLASSES)}),
        C::Popup("&Item", {Cmd("Properties", ID_ITEM_PROPERTIES), Cmd("Rename\tF2", ID_ITEM_RENAME),
                           Cmd("Class\tF3", ID_ITEM_CLASS), Cmd("Resize", ID_ITEM_RESIZE), Sep(),
                           Cmd("Font", ID_ITEM_FONT), Cmd("Text Color", ID_ITEM_TEXT_COLOR),
                           Cmd("Background", ID_ITEM_BACKGROUND), Cmd("Borders", ID_ITEM_BORDERS),
                           Cmd("Padding", ID_ITEM_PADDING), Cmd("Margins", ID_ITEM_MARGINS),
                           Cmd("Bullet", ID_ITEM_BULLET), Sep(), Cmd("Fill Color", ID_ITEM_FILL_COLOR),
                           Cmd("Line Color", ID_ITEM_LINE_COLOR), C::Popup("Line Width", std::move(lineWidths)),
                           Cmd("Radius", ID_ITEM_RADIUS), Cmd("Opacity", ID_ITEM_OPACITY),
                           Cmd("Columns", ID_ITEM_COLUMNS), Cmd("Box Shadow", ID_ITEM_BOX_SHADOW),
                           Cmd("Text Shadow", ID_ITEM_TEXT_SHADOW), Sep(), Cmd("View Source", ID_ITEM_VIEW_SOURCE)}),
        C::Popup("&Align", {Cmd("Position", ID_ARRANGE_POSITION), Sep(),
                            Cmd("Align Left\tCtrl+Left", ID_ARRANGE_LEFT), Cmd("Align Center", ID_ARRANGE_CENTER),
                            Cmd("Align Right\tCtrl+Right", ID_ARRANGE_RIGHT), Cmd("Align Top\tCtrl+Up", ID_ARRANGE_TOP),
                            Cmd("Align Middle", ID_ARRANGE_MIDDLE), Cmd("Align Bottom\tCtrl+Down", ID_ARRANGE_BOTTOM),
                            Sep(), Cmd("Space Evenly Across", ID_ARRANGE_SPACE_ACROSS),
                            Cmd("Space Evenly Down", ID_ARRANGE_SPACE_DOWN), Cmd("Center on Page", ID_ARRANGE_CENTER_ON_PAGE),
                            Cmd("Fit to Page", ID_ARRANGE_FIT_TO_PAGE), Sep(),
                            Cmd("Send to Back", ID_ARRANGE_SEND_TO_BACK), Cmd("Bring to Front", ID_ARRANGE_BRING_TO_FRONT),
                            Sep(), Cmd("Overlapping", ID_ARRANGE_OVERLAPPING), Cmd("Add to Flow", ID_ARRANGE_ADD_TO_FLOW),
                            Cmd("Flow as First", ID_ARRANGE_FLOW_FIRST), Cmd("Flow as Last", ID_ARRANGE_FLOW_LAST)}),
        C::Popup("A&ction", {Cmd("On Click\tF5", ID_ACTION_ONCLICK), Cmd("On Over", ID_ACTION_ON_OVER),
                             Cmd("On Out", ID_ACTION_ON_OUT), Cmd("On Up", ID_ACTION_ON_UP),
                             Cmd("On Focus", ID_ACTION_ON_FOCUS), Cmd("On Blur", ID_ACTION_ON_BLUR),
                             Cmd("On Change\tF6", ID_ACTION_ON_CHANGE), Cmd("On Load", ID_ACTION_ON_LOAD), Sep(),
                             Cmd("Link\tF4", ID_ACTION_LINK)}),
        C::Popup("I&mage", {Cmd("Change Image", ID_IMAGE_CHANGE), Cmd("Clone Image", ID_IMAGE_CLONE),
                            Cmd("Crop", ID_IMAGE_CROP), Sep(), Cmd("Rotate 90 CW", ID_IMAGE_ROTATE_CW),
                            Cmd("Rotate 90 CCW", ID_IMAGE_ROTATE_CCW), Cmd("Rotate 180", ID_IMAGE_ROTATE_180),
                            Cmd("Flip Horizontal", ID_IMAGE_FLIP_HORIZONTAL),
                            Cmd("Flip Vertical", ID_IMAGE_FLIP_VERTICAL), Cmd("Angle", ID_IMAGE_ANGLE), Sep(),
                            Cmd("Contrast/Brightness", ID_IMAGE_CONTRAST), Cmd("Hue", ID_IMAGE_HUE),
                            Cmd("Saturation", ID_IMAGE_SATURATION), Cmd("Invert", ID_IMAGE_INVERT),
                            Cmd("Remove Background", ID_IMAGE_REMOVE_BACKGROUND), Sep(),
                            Cmd("Shadow", ID_IMAGE_SHADOW), Cmd("Fadeout", ID_IMAGE_FADEOUT),
                            Cmd("Over Color", ID_IMAGE_OVER_COLOR), Sep(),
                            Cmd("Convert to Bitmap", ID_IMAGE_CONVERT_TO_BITMAP), Cmd("Merge", ID_IMAGE_MERGE)}),
        C::Popup("&Window", {Cmd("Cascade", ID_WINDOW_CASCADE), Cmd("Tile", ID_WINDOW_TILE_HORZ)}),
        HelpPopup(true),
    };
    menu.accelerators = ProjectAccelerators();
    return menu;
}
