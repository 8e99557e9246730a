// A form: a group whose fields are sent together, checked by a validation function and,
// when it sends by e-mail, posted to a generated mailer script.
#pragma once
#include "model/GroupItem.h"
#include "model/ItemTypes.h"
#include <vector>

class CFormItem : public CGroupItem {
public:
    CFormItem()
    {
        m_nType = ITEM_FORM;
        // The mailer's settings live in the link record: address = url, page after
        // sending = picture, recipient = e-mail, mail subject, alert text = body.
        m_link.m_strPicture = "https://www.example.com/";
        m_link.m_strSubject = "Form from website.";
        m_link.m_strBody = "The form has been sent.";
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;
    bool ExportFiles(CPublishContext& context) override;

    // A direct child field that must be filled in.
    bool HasRequiredField();
    // Whether the form sends by e-mail to an address the mailer can use.
    bool SendsMail() const;
    // "form%dmailer.php", with ".html" in the local previews.
    CString GetMailerName(int mode) const;
    // The whole text of the mailer script.
    CString BuildMailer(int mode) const;

    std::vector<CWString> m_hiddenLines;
    int m_nMethod = 0;   // 0 post, 1 get
    int m_nEncoding = 0; // 0 none, 1 url-encoded, 2 multipart
    CItemAction m_action1, m_action2;
    int m_nOption = 0;
};
