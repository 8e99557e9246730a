#include "controls/DialogTemplate.h"

#include "controls/ColorControl.h"
#include "framework/ui/Translation.h"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

#include <cstring>

std::vector<CString> DlgEntries(const DlgControl& row)
{
    std::vector<CString> out;
    if (!row.entries)
        return out;
    const char* start = row.entries;
    for (const char* p = start;; ++p) {
        if (*p == '|' || *p == 0) {
            out.push_back(CString(std::string(start, p).c_str()));
            if (*p == 0)
                break;
            start = p + 1;
        }
    }
    return out;
}

namespace {

QWidget* MakeControl(CDialog& dlg, const DlgControl& row, const DlgCustomFactory& custom)
{
    const char* text = row.text ? row.text : "";
    switch (row.kind) {
    case DlgKind::Static:
    case DlgKind::Group: {
        auto* label = new QLabel(QString::fromUtf8(text), &dlg);
        label->setWordWrap(std::strlen(text) > 60);
        if (row.kind == DlgKind::Group) {
            QFont f = label->font();
            f.setBold(true);
            label->setFont(f);
        }
        if (row.id != IDC_STATIC)
            dlg.AddControl(row.id, label);
        return label;
    }
    case DlgKind::Edit: {
        QLineEdit* e = dlg.CreateEdit(row.id);
        e->setReadOnly(row.flags & kDlgReadOnly);
        return e;
    }
    case DlgKind::MultiEdit: {
        QPlainTextEdit* e = dlg.CreateMultiLineEdit(row.id);
        e->setReadOnly(row.flags & kDlgReadOnly);
        e->setLineWrapMode(QPlainTextEdit::NoWrap);
        return e;
    }
    case DlgKind::Button:
        return dlg.CreateButton(row.id, text, row.flags & kDlgDefault);
    case DlgKind::Check:
        return dlg.CreateCheck(row.id, text);
    case DlgKind::Radio:
        return dlg.CreateRadio(row.id, text, row.flags & kDlgGroup);
    case DlgKind::Combo:
    case DlgKind::EditCombo: {
        QComboBox* c = dlg.CreateCombo(row.id, {}, row.kind == DlgKind::EditCombo);
        for (const CString& entry : DlgEntries(row))
            c->addItem(entry.ToQString());
        c->setCurrentIndex(-1);
        c->setProperty(kNoTranslateProperty, true);
        c->setMaxVisibleItems(16);
        return c;
    }
    case DlgKind::List: {
        QListWidget* l = dlg.CreateList(row.id);
        for (const CString& entry : DlgEntries(row))
            l->addItem(entry.ToQString());
        l->setProperty(kNoTranslateProperty, true);
        return l;
    }
    case DlgKind::Color: {
        // The caption is a label beside the swatch, so that it is translated as labels are.
        auto* box = new QWidget(&dlg);
        auto* h = new QHBoxLayout(box);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(CreateColorButton(&dlg, row.id, "", row.flags & kDlgNoColor));
        h->addWidget(new QLabel(QString::fromUtf8(text), box), 1);
        return box;
    }
    case DlgKind::Custom: {
        QWidget* w = custom ? custom(dlg, row) : nullptr;
        if (!w)
            w = new QWidget(&dlg);
        dlg.AddControl(row.id, w);
        return w;
    }
    }
    return nullptr;
}

bool IsField(DlgKind kind)
{
    return kind == DlgKind::Edit || kind == DlgKind::MultiEdit || kind == DlgKind::Combo || kind == DlgKind::EditCombo
        || kind == DlgKind::List || kind == DlgKind::Custom;
}

bool IsButtonRow(const std::vector<const DlgControl*>& row)
{
    for (const DlgControl* c : row)
        if (c->kind != DlgKind::Button)
            return false;
    return true;
}
} // namespace

QGridLayout* BuildDialog(CDialog& dlg, const DlgTemplate& table, const DlgCustomFactory& custom)
{
    dlg.setWindowTitle(QString::fromUtf8(table.caption));
    dlg.m_bTranslateOnInit = table.translate;
    // Rows as the table gives them.
    std::vector<std::vector<const DlgControl*>> rows;
    for (const DlgControl& c : table.controls) {
        if (rows.empty() || !(c.flags & kDlgBeside))
            rows.emplace_back();
        rows.back().push_back(&c);
    }
    auto* outer = new QVBoxLayout(&dlg);
    auto* grid = new QGridLayout;
    outer->addLayout(grid, 1);
    int r = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        if (IsButtonRow(row)) {
            // A row of push buttons is right-aligned; the last one closes the dialog.
            auto* h = new QHBoxLayout;
            h->addStretch();
            for (const DlgControl* c : row)
                h->addWidget(MakeControl(dlg, *c, custom));
            if (i + 1 == rows.size())
                outer->addLayout(h);
            else
                grid->addLayout(h, r++, 0, 1, 2);
            continue;
        }
        // The first control in the label column, the rest beside it; fields take the width.
        QWidget* first = MakeControl(dlg, *row[0], custom);
        if (row.size() == 1) {
            grid->addWidget(first, r++, 0, 1, 2);
            continue;
        }
        grid->addWidget(first, r, 0);
        auto* rest = new QHBoxLayout;
        bool stretched = false;
        for (size_t k = 1; k < row.size(); ++k) {
            const bool field = IsField(row[k]->kind);
            stretched = stretched || field;
            rest->addWidget(MakeControl(dlg, *row[k], custom), field ? 1 : 0);
        }
        if (!stretched)
            rest->addStretch(1);
        grid->addLayout(rest, r++, 1);
    }
    grid->setColumnStretch(1, 1);
    // A control that is not a radio ends the radio group before it, unless it stands
    // between the group's radios.
    for (const DlgControl& c : table.controls)
        if (c.id != IDC_STATIC && c.kind != DlgKind::Radio && !(c.flags & kDlgInGroup))
            dlg.SetGroupStart(c.id, true);
    return grid;
}
