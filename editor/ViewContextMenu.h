// The canvas's context menu: one popup per place the right button can hit (surface, guide,
// page, inside a container, band) and per item kind. Its entries use the main menu's
// command ids; an entry whose command has no handler yet is shown disabled.
#pragma once
#include "framework/ui/Resources.h"

enum ContextPopup {
    POPUP_SURFACE = 0,
    POPUP_RULER = 1,
    POPUP_PAGE = 2,
    POPUP_INSIDE_BOX = 3,
    POPUP_INSIDE_BAND = 4,
    POPUP_INSIDE_MASTER = 5,
    POPUP_BAND = 42,
    // An item's popup is its type code + 4; types from 42 on have none.
    POPUP_ITEM_OFFSET = 4,
    POPUP_COUNT = 46,
};

// Menu 166: POPUP_COUNT popups named "Surface", "Ruler", "OPage", ... "OSlider".
CMenu MakeViewContextMenu();
