// Dialogs the formatting and action commands open that live in other parts of the
// designer. Each is plugged in where its dialog is built; until then the command that
// needs it is disabled (its update handler says so) and does nothing.
#pragma once
#include "framework/core/CString.h"

#include <functional>

class CFillStyle;
class CItemAction;
class CItemLink;
class CKJDoc;
class CLinkStyle;
class CPage;
class QWidget;

struct CommandDialogs {
    // Item/Background: the fill edited in place; the caption already ends with " : " and
    // the target's description. IDOK or another result.
    std::function<int(CFillStyle& fill, CKJDoc& doc, const CString& caption, QWidget* parent)> background;
    // Style/Default Link: the site's link style edited in place.
    std::function<int(CLinkStyle& style, QWidget* parent)> defaultLinkStyle;
    // The six event commands: one action record edited in place, with the page and title.
    std::function<int(CItemAction& action, CPage* page, const CString& title, QWidget* parent)> action;
    // Send Form Data To: the form's link record edited in place.
    std::function<int(CItemLink& link, CKJDoc& doc, QWidget* parent)> sendForm;
};

// The one set of plugged dialogs of the designer.
CommandDialogs& GetCommandDialogs();

// Type sets of the update handlers (shared with the tests' tables).
bool IsTextStyleKind(int type);
bool IsFontRenderedKind(int type);  // Artistic Text, Image Button, Shape: font description
bool IsColorRenderedKind(int type); // those and Symbol: redrawn when the text colour changes
bool IsLinkableKind(int type);
