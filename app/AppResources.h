// The designer's command ids, its string table (status prompts and tooltips) and its
// two menus: 128 while no project is open, 129 with a project.
#pragma once
#include "framework/ui/CmdTarget.h"
#include "framework/ui/Resources.h"
#include "resources/CommandIds.h"



// Fills the string table; safe to call more than once.
void LoadAppResources();
CMenu MakeMainMenu();    // menu 128
CMenu MakeProjectMenu(); // menu 129, with its accelerator table
std::vector<CMenu::Accel> ProjectAccelerators();
