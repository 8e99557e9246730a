// Each menu's commands live in their own file and register their handlers on the view.
#pragma once

class CKJView;

// Edit menu: Undo.
void RegisterEditCommands(CKJView& view);

// View menu: Center, Browser Frame, Mobile Device Frame, Next/Previous Page, Grid.
void RegisterViewCommands(CKJView& view);

// Insert/Rulers, Insert/Margins and the Ruler popup: Move, Duplicate, Delete.
void RegisterGuideCommands(CKJView& view);

// Item formatting and Style commands (FormatCommands.cpp); Action menu and Send Form Data
// To (ActionCommands.cpp).
void RegisterFormatCommands(CKJView& view);
void RegisterActionCommands(CKJView& view);
