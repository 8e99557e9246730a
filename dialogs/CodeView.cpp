#include "dialogs/CodeView.h"

#include "dialogs/DialogTables.h"

#include <QtGui/QFontDatabase>
#include <QtWidgets/QPlainTextEdit>

namespace {
const DlgControl kCodeViewControls[] = {
    {1000, DlgKind::MultiEdit, nullptr, nullptr, kDlgReadOnly},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
};
const DlgControl kCssControls[] = {
    {1000, DlgKind::MultiEdit, nullptr, nullptr, kDlgReadOnly},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

void SetUpCodeEdit(CDialog& dlg)
{
    auto* edit = qobject_cast<QPlainTextEdit*>(dlg.GetDlgItem(1000));
    edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    dlg.resize(640, 480);
}
} // namespace

const DlgTemplate kCodeViewTemplate{140, "Code View", true, kCodeViewControls};
const DlgTemplate kCssTemplate{378, "CSS", false, kCssControls};

DCodeView::DCodeView(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kCodeViewTemplate);
    SetUpCodeEdit(*this);
}

BOOL DCodeView::OnInitDialog()
{
    CDialog::OnInitDialog();
    qobject_cast<QPlainTextEdit*>(GetDlgItem(1000))->setPlainText(QString::fromUtf8(m_strText.GetString()));
    if (!m_strCaption.IsEmpty())
        setWindowTitle(windowTitle() + QStringLiteral(" : ") + m_strCaption.ToQString());
    return TRUE;
}

DCss::DCss(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kCssTemplate);
    SetUpCodeEdit(*this);
}

BOOL DCss::OnInitDialog()
{
    setWindowTitle(m_strFileName.ToQString());
    CDialog::OnInitDialog();
    qobject_cast<QPlainTextEdit*>(GetDlgItem(1000))->setPlainText(QString::fromUtf8(m_strCss.GetString()));
    return TRUE;
}
