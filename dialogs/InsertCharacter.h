// The Insert Character dialog: a grid of special characters; one click picks a character
// and closes the dialog with OK.
#pragma once
#include "framework/ui/Dialog.h"

#include <array>

class CCharGrid : public QWidget {
public:
    static constexpr int kColumns = 24;
    static constexpr int kRows = 16;
    explicit CCharGrid(QWidget* parent = nullptr);
    // Cell side in pixels: the width divided by the columns.
    int CellSize() const { return width() / kColumns; }
    // The cell under a point, -1 outside every cell.
    int CellAt(const QPoint& point) const;
    // Picks the character under the point and ends the dialog with OK; nothing outside.
    void Pick(const QPoint& point);

    std::array<char16_t, 640> m_chars{};
    int m_nChar = -1; // the picked character

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

class DInsertCharacter : public CDialog {
public:
    explicit DInsertCharacter(QWidget* parent = nullptr);
    CCharGrid* m_pGrid = nullptr;
};
