// The Link item dialog, the bullet dialog and the default link style dialog. DLinkItem and
// DBullet bind into the item (the opener's edit scope is the way back); the link style
// is edited on a copy that reaches the record only on OK, since no item snapshot holds it.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/TextStyle.h"

#include <optional>

class CItem;
class CKJDoc;
class CLinkItem;

extern const DlgTemplate kLinkItemTemplate;
extern const DlgTemplate kBulletTemplate;
extern const DlgTemplate kDefaultLinkStyleTemplate;

class DDefaultLinkStyle : public CDialog {
public:
    explicit DDefaultLinkStyle(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CLinkStyle* m_pStyle = nullptr; // written at OK

private:
    void OnViewCode();
    CLinkStyle m_edit;
};

class DBullet : public CDialog {
public:
    explicit DBullet(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CItem* m_pItem = nullptr;
};

class DLinkItem : public CDialog {
public:
    explicit DLinkItem(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CLinkItem* m_pItem = nullptr;
    CKJDoc* m_pDoc = nullptr;
    int m_bTextLocked = 0;
    // Set when the default link style was changed from here (written to the site at OK).
    int m_bDefaultStyleChanged = 0;

private:
    void OnStyle();
    std::optional<CLinkStyle> m_pendingStyle;
};
