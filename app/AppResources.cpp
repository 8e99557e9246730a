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

CMenu::Item ViewPopup(bool project)
{
    std::vector<CMenu::Item> items{CMenu::Command("Toolbar", ID_VIEW_TOOLBAR), CMenu::Command("Status Bar", ID_VIEW_STATUS_BAR)};
    if (project) {
        // The page view's own commands.
        items.push_back(CMenu::Separator());
        items.push_back(CMenu::Command("Center", ID_VIEW_CENTER));
        items.push_back(CMenu::Command("Browser Frame", ID_VIEW_BROWSER_FRAME));
        items.push_back(CMenu::Command("Mobile Device Frame", ID_VIEW_MOBILE_FRAME));
        items.push_back(CMenu::Command("Next Page\tPgDown", ID_VIEW_NEXT_PAGE));
        items.push_back(CMenu::Command("Previous Page\tPgUp", ID_VIEW_PREVIOUS_PAGE));
        items.push_back(CMenu::Command("Grid", ID_VIEW_GRID));
    }
    return CMenu::Popup("&View", std::move(items));
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
    menu.items = {CMenu::Popup("&File", FileItems(false)), ViewPopup(false), HelpPopup(false)};
    return menu;
}

CMenu MakeProjectMenu()
{
    CMenu menu;
    menu.items = {
        CMenu::Popup("&File", FileItems(true)),
        CMenu::Popup("&Edit", {CMenu::Command("Undo\tCtrl+Z", ID_EDIT_UNDO), CMenu::Separator(),
                               CMenu::Command("Cut\tCtrl+X", ID_EDIT_CUT), CMenu::Command("Copy\tCtrl+C", ID_EDIT_COPY),
                               CMenu::Command("Paste\tCtrl+V", ID_EDIT_PASTE)}),
        ViewPopup(true),
        CMenu::Popup("&Insert",
                     {CMenu::Command("Paragraph", ID_INSERT_PARAGRAPH), CMenu::Command("Text", ID_INSERT_TEXT),
                      CMenu::Command("Heading", ID_INSERT_HEADING), CMenu::Command("Link", ID_INSERT_LINK),
                      CMenu::Command("Artistic Text", ID_INSERT_ARTISTIC), CMenu::Command("Image", ID_INSERT_IMAGE),
                      CMenu::Command("Button", ID_INSERT_BUTTON), CMenu::Command("Menu", ID_INSERT_MENU),
                      CMenu::Command("Shape", ID_INSERT_SHAPE), CMenu::Command("Group", ID_INSERT_GROUP),
                      CMenu::Separator(), CMenu::Command("Flash", ID_INSERT_FLASH),
                      CMenu::Command("YouTube", ID_INSERT_YOUTUBE), CMenu::Command("Video", ID_INSERT_VIDEO),
                      CMenu::Command("Marquee", ID_INSERT_MARQUEE), CMenu::Command("PHP", ID_INSERT_PHP)}),
        CMenu::Popup("F&orm", {CMenu::Command("New Form", ID_FORM_NEW), CMenu::Command("Input Field", ID_FORM_INPUT),
                               CMenu::Command("List Choice", ID_FORM_LIST),
                               CMenu::Command("Drop Down List", ID_FORM_DROPDOWN),
                               CMenu::Command("Text Area Field", ID_FORM_TEXTAREA),
                               CMenu::Command("Check Box", ID_FORM_CHECKBOX),
                               CMenu::Command("Radio Choice", ID_FORM_RADIO),
                               CMenu::Command("Submit Button", ID_FORM_SUBMIT)}),
        CMenu::Popup("&Page", {CMenu::Command("Insert", ID_PAGE_INSERT), CMenu::Command("Setup", ID_PAGE_SETUP),
                               CMenu::Command("Preview", ID_PAGE_PREVIEW),
                               CMenu::Command("Preview in Browser\tF9", ID_PAGE_PREVIEW_BROWSER)}),
        CMenu::Popup("&Website", {CMenu::Command("Upload\tCtrl+U", ID_WEBSITE_UPLOAD),
                                  CMenu::Command("Upload All", ID_WEBSITE_UPLOAD_ALL),
                                  CMenu::Command("Login", ID_WEBSITE_LOGIN),
                                  CMenu::Command("Browse", ID_WEBSITE_BROWSE),
                                  CMenu::Command("Export to Folder", ID_EXPORT_TO_FOLDER),
                                  CMenu::Command("Settings", ID_WEBSITE_SETTINGS)}),
        CMenu::Popup("&Window", {CMenu::Command("Cascade", ID_WINDOW_CASCADE), CMenu::Command("Tile", ID_WINDOW_TILE_HORZ)}),
        HelpPopup(true),
    };
    return menu;
}
