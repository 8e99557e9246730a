#include "dialogs/ItemExchange.h"

#include "framework/ui/DataExchange.h"
#include "framework/ui/Dialog.h"
#include "model/WString.h"

#include <QtCore/QString>

void DDX_TextLines(CDataExchange* pDX, int id, CWString& value)
{
    QString text;
    if (!pDX->m_bSaveAndValidate)
        text = value.ToQString().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    DDX_Text(pDX, id, text);
    if (pDX->m_bSaveAndValidate)
        value.SetQString(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                             .replace(QLatin1Char('\n'), QStringLiteral("\r\n"))
                             .left(655000));
}

void DDX_SingleLine(CDataExchange* pDX, int id, CString& value)
{
    auto strip = [](CString& s) {
        s.Replace("\r", "");
        s.Replace("\n", "");
    };
    CString text = value;
    if (!pDX->m_bSaveAndValidate)
        strip(text);
    DDX_Text(pDX, id, text);
    if (pDX->m_bSaveAndValidate) {
        strip(text);
        value = text;
    }
}

void DDX_InheritFlag(CDataExchange* pDX, int id, int& value)
{
    int on = value == 1;
    const int was = on;
    DDX_Check(pDX, id, on);
    if (pDX->m_bSaveAndValidate && on != was)
        value = on;
}

void DDX_PositiveSize(CDataExchange* pDX, int id, int& value)
{
    int shown = pDX->m_bSaveAndValidate || value > 0 ? value : 0;
    DDX_TextBlankZero(pDX, id, shown);
    if (pDX->m_bSaveAndValidate)
        value = shown;
}

void KeepColorSwatches(CDialog& dlg, std::initializer_list<int> ids)
{
    for (int id : ids)
        if (QWidget* swatch = dlg.GetDlgItem(id))
            swatch->setMinimumSize(swatch->sizeHint());
}
