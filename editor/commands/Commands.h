// Each menu's commands live in their own file and register their handlers on the view.
#pragma once

class CKJView;

// Edit menu: Undo.
void RegisterEditCommands(CKJView& view);

// View menu: Center, Browser Frame, Mobile Device Frame, Next/Previous Page, Grid.
void RegisterViewCommands(CKJView& view);

// Insert/Rulers, Insert/Margins and the Ruler popup: Move, Duplicate, Delete.
void RegisterGuideCommands(CKJView& view);

// Edit menu: Cut, Copy, Paste, Delete, Duplicate, Group, Ungroup, Group as Form, Clone to
// Page, Select All; files dropped on the canvas.
void RegisterClipboardCommands(CKJView& view);

// Item/Resize and the Align menu: position, alignment, distribution, stacking, flow order,
// the entered box's size and the overlapping order.
void RegisterArrangeCommands(CKJView& view);
// Insert and Form menus (item insertion): every new item, galleries, sliders, tables and
// attached files.
void RegisterInsertCommands(CKJView& view);
// Item formatting and Style commands (FormatCommands.cpp); Action menu and Send Form Data
// To (ActionCommands.cpp).
void RegisterFormatCommands(CKJView& view);
void RegisterActionCommands(CKJView& view);
// Page and Website menus, View/View Source and View Styles, Preview Online.
void RegisterPageCommands(CKJView& view);

// The site tree's own commands: folder or file Rename, file Delete, texture Delete.
void RegisterSiteCommands(CKJView& view);

// Insert/Background (page and all-pages backgrounds) and the page's code: JavaScript, Raw
// HTML, Raw PHP, Raw HEAD.
void RegisterPageBackgroundCommands(CKJView& view);

// Image menu (live adjustments, shadow, fade-out, turns, invert, conversion, merge, clone,
// change, crop, angle, over colour) and Edit/Paste Into.
void RegisterImageCommands(CKJView& view);
// Item/Properties and the item property commands of the Item, Style, Action and Form
// menus (ItemProperties.cpp, ItemCommands.cpp).
void RegisterItemCommands(CKJView& view);
