// Translation of windows and menus through the program's translation map. The map
// itself lives above this layer; the program connects its lookup here at start-up.
#pragma once
#include "framework/core/CString.h"
#include "framework/ui/Resources.h"

class QWidget;
class QMenu;
class QMenuBar;

// Replaces text by its translation and returns true when the map has an entry.
using TranslationLookup = bool (*)(CString& text);
void SetTranslationLookup(TranslationLookup lookup);
// The connected lookup (null when none).
TranslationLookup GetTranslationLookup();
// text through the lookup; unchanged when there is no lookup or no entry.
CString UiTranslate(const CString& text);
// name in place of the first "%s" of text; with no "%s" (a translation may drop it) the
// name follows after a blank. The text is never used as a format, so a '%' in a
// translation or in the name stays as it is.
CString PutName(const CString& text, const CString& name);
// PutName on the translation of format: captions and messages that carry a name.
CString UiTranslateWithName(const CString& format, const CString& name);

// A widget with this property set to true keeps its texts (lists of faces, sizes, ...).
inline constexpr const char* kNoTranslateProperty = "tesselNoTranslate";

// The window's own text, then every descendant's, but never the text of an edit
// control; a combo box keeps its selection while its entries are translated.
void TranslateWindow(QWidget* window);
// Every item of the menu and its popups, depth first.
void TranslateMenu(CMenu& menu);
void TranslateMenu(QMenu* menu);
void TranslateMenu(QMenuBar* menuBar);
