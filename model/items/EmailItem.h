// A mailto link.
#pragma once
#include "model/items/LinkItem.h"
#include "model/ItemTypes.h"

class CEmailItem : public CLinkItem {
public:
    CEmailItem()
    {
        m_nType = ITEM_EMAIL;
        m_strSubject = "Email title";
        m_strBody = "Message from website";
        m_nEncode = 1;
    }
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;

    CString m_strSubject;
    CString m_strBody;
    CString m_strAddress;
    CString m_strCc;
    int m_nEncode = 1; // 1 = addresses as character references
};
