// The PHP dialogs: the snippet chooser of Insert/PHP, the PHP item's code and a page's raw
// PHP block. The code boxes take Tab and Enter as text.
#pragma once
#include "dialogs/CodeTextDialogs.h"

extern const DlgTemplate kInsertPhpTemplate;
extern const DlgTemplate kPhpCodeTemplate;
extern const DlgTemplate kRawPhpTemplate;

// The address the mailing snippet sends to: "Current"/"Email" in the profile.
CString PhpSnippetEmail();

class DInsertPhp : public CDialog {
public:
    explicit DInsertPhp(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    CString m_strCode; // the chosen snippet, after OK
};

class DPhpCode : public DCodeTextBase {
public:
    explicit DPhpCode(QWidget* parent = nullptr);
};

// The page's PHP block, in the code box's m_strCode.
class DRawPhp : public DCodeTextBase {
public:
    explicit DRawPhp(QWidget* parent = nullptr);
};
