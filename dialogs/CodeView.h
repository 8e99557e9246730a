// Code View shows generated text (HTML of an item, a page, a dialog's output) read-only;
// the CSS dialog shows the site's stylesheet under its file name.
#pragma once
#include "framework/ui/Dialog.h"

class DCodeView : public CDialog {
public:
    explicit DCodeView(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;

    CString m_strText;    // UTF-8
    CString m_strCaption; // appended to the caption after " : " when not empty
};

class DCss : public CDialog {
public:
    explicit DCss(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;

    CString m_strFileName; // the caption
    CString m_strCss;      // the generated stylesheet, shown read-only
};
