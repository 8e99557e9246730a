#include "controls/HtmlView.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Shell.h"
#include "model/Page.h"
#include "model/PublishContext.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

bool DPreview::s_bFailBrowserCreation = false;

DPreview::DPreview(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Preview Browser"));
    setWindowFlags((windowFlags() | Qt::WindowMinimizeButtonHint | Qt::WindowSystemMenuHint)
                   & ~Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CreateButton(IDCANCEL, "Close"));
    buttons->setContentsMargins(4, 0, 4, 0);
    layout->addLayout(buttons);
}

BOOL DPreview::OnInitDialog()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CDialog::OnInitDialog();
    const int w = std::max(300, m_nContentWidth + 10);
    const int h = m_nContentHeight + 40;
    setFixedSize(w, h);
    if (QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(w / 2, h / 2));

#ifdef TESSEL_HAS_WEB
    if (!s_bFailBrowserCreation)
        m_pBrowser = new CFHTMLView(this);
#endif
    if (!m_pBrowser) {
        AfxMessageBox("Can't create browser window.", MB_ICONSTOP);
    } else {
#ifdef TESSEL_HAS_WEB
        m_pBrowser->setObjectName(QStringLiteral("PreviewBrowser"));
        static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_pBrowser, 1);
        layout()->removeItem(layout()->itemAt(1)); // the placeholder stretch
        m_pBrowser->show();
        if (!m_strAddress.IsEmpty())
            m_pBrowser->Navigate2(m_strAddress);
#endif
    }
    setWindowTitle(m_strCaption.ToQString());
    if (QWidget* close = GetDlgItem(IDCANCEL))
        close->setFocus();
    QApplication::restoreOverrideCursor();
    return FALSE;
}

CString GeneratePagePreview(CKJDoc& doc, CPage* page, int mode, const CString& folder, CString* error)
{
    if (!page)
        return CString();
    CPublishContext context;
    context.m_strOutputFolder = folder;
    if (!context.m_strOutputFolder.IsEmpty() && context.m_strOutputFolder.Right(1) != "/")
        context.m_strOutputFolder += "/";
    context.m_nMode = mode;
    context.m_bUploadAll = 1;
    if (GenerateWebsite(doc, context, error) != 1)
        return CString();
    return page->m_strExtra1;
}

bool ShowInDefaultBrowser(const CString& target) { return ShellOpenOrReport(target) != FALSE; }
