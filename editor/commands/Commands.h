// Each menu's commands live in their own file and register their handlers on the view.
#pragma once

class CKJView;

// Edit menu: Undo.
void RegisterEditCommands(CKJView& view);

// View menu: Center, Browser Frame, Mobile Device Frame, Next/Previous Page, Grid.
void RegisterViewCommands(CKJView& view);

// Insert/Rulers, Insert/Margins and the Ruler popup: Move, Duplicate, Delete.
void RegisterGuideCommands(CKJView& view);

// Page and Website menus, View/View Source and View Styles, Preview Online.
void RegisterPageCommands(CKJView& view);

// The site tree's own commands: folder or file Rename, file Delete, texture Delete.
void RegisterSiteCommands(CKJView& view);
