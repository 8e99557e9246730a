// Menu dialogs: the entry lists and both levels' look of a drop-down menu (DMenu) and one
// entry (DMenuItem). List changes take effect at once (the opener's edit scope puts them
// back on Cancel); the look fields at OK.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

#include <memory>
#include <vector>

class CKJDoc;
class CMenuEntry;
class CMenuItem;
class QListWidget;

extern const DlgTemplate kMenuTemplate;
extern const DlgTemplate kMenuItemTemplate;

// The level changes of the top list, computed from each sub entry's old level: moving the
// top entry at from to to (Make First: to 0, Make Last: to count - 1), removing the one at
// at (its own sub entries are removed by the caller), inserting one after at.
int LevelAfterMove(int level, int from, int to);
int LevelAfterRemove(int level, int at);
int LevelAfterInsert(int level, int after);

class DMenuItem : public CDialog {
public:
    explicit DMenuItem(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CKJDoc* m_pDoc = nullptr;
    CMenuEntry* m_pEntry = nullptr;

private:
    void UpdateControls();
    void OnPageChosen();
};

class DMenu : public CDialog {
public:
    explicit DMenu(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CMenuItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;

    // The list buttons (top: 1025..1028, sub: 1035..1038) and double clicks.
    void OnTopAdd();
    void OnTopRemove();
    void OnTopMove(bool first);
    void OnSubAdd();
    void OnSubRemove();
    void OnSubMove(bool first);
    void OnEdit(bool top);
    QListWidget* TopList() const;
    QListWidget* SubList() const;

private:
    void FillSubs();
    void UpdateButtons();
    CMenuEntry* EntryOf(QListWidget* list, int row) const;
    bool RunEntry(CMenuEntry& entry);
    void OnBackground(bool sub);
    void OnSubBorder();
};
