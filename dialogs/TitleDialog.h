// The title of a page for search engines: title, description and keywords.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/WString.h"

extern const DlgTemplate kTitleTemplate;

class DTitle : public CDialog {
public:
    explicit DTitle(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CWString m_title;
    CWString m_description;
    CWString m_keywords;
    CString m_strCaption; // replaces the caption when not empty
};
