#include "framework/ui/PropertySheet.h"

#include "framework/ui/Translation.h"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTabWidget>

CPropertyPage::CPropertyPage(const char* caption) : m_strCaption(caption)
{
    m_bTranslateOnInit = false; // the sheet translates its pages with itself
}

CPropertySheet::CPropertySheet(const char* caption, QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QString::fromUtf8(caption));
}

CPropertySheet::~CPropertySheet()
{
    // Pages usually live on their caller's stack: Qt must not delete them with the sheet.
    if (m_pTabs)
        m_pTabs->blockSignals(true);
    for (const QPointer<CPropertyPage>& page : m_pages)
        if (page) {
            page->m_pSheet = nullptr;
            page->setParent(nullptr);
        }
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    page->m_pSheet = this;
    m_pages.push_back(page);
}

void CPropertySheet::Build()
{
    if (m_bBuilt)
        return;
    m_bBuilt = true;
    auto* layout = new QVBoxLayout(this);
    QWidget* host;
    if (m_bWizard) {
        m_pStack = new QStackedWidget(this);
        host = m_pStack;
    } else {
        m_pTabs = new QTabWidget(this);
        host = m_pTabs;
    }
    for (CPropertyPage* page : m_pages) {
        page->setWindowFlags(Qt::Widget);
        if (m_pTabs)
            m_pTabs->addTab(page, page->m_strCaption.ToQString());
        else
            m_pStack->addWidget(page);
    }
    layout->addWidget(host, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    if (m_bWizard) {
        buttons->addWidget(CreateButton(ID_WIZBACK, "< Back"));
        buttons->addWidget(CreateButton(ID_WIZNEXT, "Next >", true));
        buttons->addWidget(CreateButton(ID_WIZFINISH, "Finish"));
        buttons->addWidget(CreateButton(IDCANCEL, "Cancel"));
        OnCommand(ID_WIZBACK, [this] { Back(); });
        OnCommand(ID_WIZNEXT, [this] { Next(); });
        OnCommand(ID_WIZFINISH, [this] { Finish(); });
    } else {
        buttons->addWidget(CreateButton(IDOK, "OK", true));
        buttons->addWidget(CreateButton(IDCANCEL, "Cancel"));
        connect(m_pTabs, &QTabWidget::currentChanged, this, [this](int index) {
            if (index != m_nActive)
                SetActivePage(index);
        });
    }
    layout->addLayout(buttons);
}

BOOL CPropertySheet::OnInitDialog()
{
    Build();
    TranslateWindow(this);
    m_nActive = -1;
    if (!m_pages.empty())
        SetActivePage(0);
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    if (m_nActive >= 0 && m_nActive != index && !m_bWizard) {
        // Leaving a tab that refuses its values keeps it in front.
        if (!m_pages[size_t(m_nActive)]->OnKillActive()) {
            const QSignalBlocker block(m_pTabs);
            m_pTabs->setCurrentIndex(m_nActive);
            return FALSE;
        }
    }
    CPropertyPage* page = m_pages[size_t(index)];
    if (!page->m_bInitialised) {
        page->m_bInitialised = true;
        page->OnInitDialog();
    }
    m_nActive = index;
    if (m_pTabs) {
        const QSignalBlocker block(m_pTabs);
        m_pTabs->setCurrentIndex(index);
    } else if (m_pStack)
        m_pStack->setCurrentIndex(index);
    page->OnSetActive();
    return TRUE;
}

void CPropertySheet::SetWizardButtons(UINT flags)
{
    m_nWizardButtons = flags;
    EnableDlgItem(ID_WIZBACK, (flags & PSWIZB_BACK) != 0);
    EnableDlgItem(ID_WIZNEXT, (flags & PSWIZB_NEXT) != 0);
    EnableDlgItem(ID_WIZFINISH, (flags & PSWIZB_FINISH) != 0);
}

void CPropertySheet::OnOK()
{
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = m_pages[size_t(i)];
        if (page->m_bInitialised && !page->UpdateData(TRUE)) {
            m_nActive = -1; // show it without asking the current page again
            SetActivePage(i);
            return;
        }
    }
    EndDialog(IDOK);
}

void CPropertySheet::Next()
{
    if (m_nActive < 0 || m_nActive + 1 >= GetPageCount())
        return;
    CPropertyPage* page = m_pages[size_t(m_nActive)];
    if (!page->OnKillActive() || page->OnWizardNext() != 0)
        return;
    SetActivePage(m_nActive + 1);
}

void CPropertySheet::Back()
{
    if (m_nActive <= 0)
        return;
    CPropertyPage* page = m_pages[size_t(m_nActive)];
    if (page->OnWizardBack() != 0)
        return;
    SetActivePage(m_nActive - 1);
}

void CPropertySheet::Finish()
{
    if (m_nActive < 0)
        return;
    CPropertyPage* page = m_pages[size_t(m_nActive)];
    if (!page->OnKillActive() || !page->OnWizardFinish())
        return;
    EndDialog(ID_WIZFINISH);
}
