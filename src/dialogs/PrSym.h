#pragma once

#include <memory>
#include <QPoint>

#include "dialogs/KxElementDialog.h"
#include "dialogs/KxForm.h"
#include "elements/KxSymbol.h"

class TBitmap;

namespace Ui {
class TPropSym;
}

/// The symbol's dialog: a grid of the font's characters 32 to 255 to pick from, position, colour,
/// angle, font and field.
class TPropSym : public TKxForm<TKxElementDialog<TKxSymbol>, Ui::TPropSym> {
    Q_OBJECT
public:
    /// The grid: 16 columns by 14 rows of 20-pixel cells, from code 32.
    static constexpr int GridColumns = 16;
    static constexpr int GridRows = 14;
    static constexpr int CellSize = 20;
    static constexpr int FirstCode = 32;

    explicit TPropSym(QWidget* parent = nullptr);
    ~TPropSym() override;

    /// The selected cell (column, row from 0); (-1, -1) when the symbol's code lies before the grid.
    QPoint GetSelectedCell() const { return FCell; }
    /// The grid as last drawn.
    const TBitmap& GetGrid() const { return *FGrid; }
    /// The cell under a pixel of the grid; (-1, -1) outside it.
    static QPoint CellAt(const QPoint& Pixel);

private:
    void DrawGrid();
    void GridMouseDown(Qt::MouseButton Button, const QPoint& Pixel);

    std::unique_ptr<TBitmap> FGrid;
    QPoint FCell{-1, -1};
};

/// The symbol dialog while it is shown.
extern TPropSym* PropSym;
