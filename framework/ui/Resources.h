// The program's string table (command prompts and tooltips, document strings) and menus
// held as data, so that they can be translated before widgets are made from them.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include <initializer_list>
#include <vector>

// Adds strings to the table; a later entry for an id replaces the earlier one.
void AfxRegisterStrings(std::initializer_list<std::pair<UINT, const char*>> strings);
void AfxRegisterString(UINT id, const char* text);
// FALSE (and an empty text) when the id has no string.
BOOL AfxLoadString(UINT id, CString& text);

// A menu: popups and commands. A command item's text may hold "\t" and its shortcut.
struct CMenu {
    struct Item {
        CString text;
        UINT id = 0;               // command id; 0 for popups and separators
        bool separator = false;
        std::vector<Item> popup;   // non-empty (or isPopup) for a popup
        bool isPopup = false;
    };
    std::vector<Item> items;
    // The keys of the menu's commands (several per command allowed, in QKeySequence's
    // portable text such as "Ctrl+Left"); a command may have keys and no menu entry.
    struct Accel {
        UINT id;
        const char* keys;
    };
    std::vector<Accel> accelerators;

    static Item Command(const char* text, UINT id) { Item i; i.text = text; i.id = id; return i; }
    static Item Separator() { Item i; i.separator = true; return i; }
    static Item Popup(const char* text, std::vector<Item> items)
    {
        Item i; i.text = text; i.popup = std::move(items); i.isPopup = true; return i;
    }
    // The first item with that command id, searching popups depth first.
    const Item* Find(UINT id) const;
};
