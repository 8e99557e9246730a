#include "app/Welcome.h"

#include "app/Artwork.h"
#include "framework/core/Profile.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

DWelcome::DWelcome(QWidget* parent) : CDialog(parent), choice(GetProfileInt("Current", "Welcome", 1))
{
    setWindowTitle(QStringLiteral("Welcome"));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    setFont(font);
    // Everything paints on white.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::Button, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* banner = new QLabel(this);
    banner->setPixmap(QPixmap::fromImage(WelcomeBanner()));
    auto* strip = new QLabel(this);
    strip->setPixmap(QPixmap::fromImage(WelcomeStrip()));
    strip->setAlignment(Qt::AlignTop);

    // Tab order is the radio group's order; ids are not in index order.
    static const std::pair<int, const char*> choices[] = {
        {1184, "Blank Website"},           {1185, "Website Wizard"},    {1189, "Templates"},
        {1186, "Open a Project from file"}, {1190, "Open Last Project"}, {1188, "Help"},
        {1191, "Home Page"},
    };
    auto* radios = new QVBoxLayout;
    radios->setSpacing(0);
    for (size_t i = 0; i < std::size(choices); ++i) {
        QRadioButton* r = CreateRadio(choices[i].first, choices[i].second, i == 0);
        r->setMinimumHeight(38);
        radios->addWidget(r);
    }
    radios->addStretch();

    QPushButton* ok = CreateButton(IDOK, "OK", true);
    ok->setMinimumWidth(75);
    QPushButton* cancel = CreateButton(IDCANCEL, "Cancel");
    cancel->setMinimumWidth(75);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(ok);
    row->addWidget(cancel);
    buttons->addLayout(row);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(37, 12, 20, 16);
    body->setSpacing(12);
    body->addWidget(strip);
    body->addLayout(radios, 1);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addLayout(body, 1);
    setFixedSize(sizeHint().expandedTo(QSize(693, 420)));
}

BOOL DWelcome::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void DWelcome::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, kFirstChoice, choice); }
