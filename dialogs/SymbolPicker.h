// The glyph picker of Insert/Symbol: a grid of one symbol font's glyphs and the list of
// symbol fonts. A click on a glyph is the OK; closing the window is the Cancel.
#pragma once
#include "framework/core/CString.h"
#include "framework/ui/Dialog.h"

#include <QtCore/QStringList>
#include <QtWidgets/QWidget>

// 16 columns by 14 rows of the codes 33 to 256, drawn as the Symbol item renders them.
class CSymbolGrid : public QWidget {
public:
    explicit CSymbolGrid(QWidget* parent = nullptr);

    static constexpr int kColumns = 16, kRows = 14, kFirstCode = 33;
    // The code of the cell under a point of the grid; -1 outside it.
    int CodeAt(QPoint point) const;
    QSize sizeHint() const override;

    int m_nChar = 0;
    CString m_strFace = "Wingdings";

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// The faces offered: the symbol families Qt knows, then the symbol faces the font
// configuration maps to a substitute, each once.
QStringList SymbolFontFaces();

class DSymbolPicker : public CDialog {
public:
    explicit DSymbolPicker(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;

    CSymbolGrid* Grid() const { return m_pGrid; }
    // The list shown; the opener may replace it before the dialog opens.
    QStringList m_faces = SymbolFontFaces();

private:
    void OnFontChange();
    CSymbolGrid* m_pGrid = nullptr;
};
