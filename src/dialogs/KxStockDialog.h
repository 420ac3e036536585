#pragma once

#include <memory>
#include <optional>
#include <QDialog>
#include <QString>
#include <vector>

#include "types/KxStock.h"

class QEvent;
class QPainter;
class TKxLabel;
class TKxStockCatalogue;

namespace Ui {
class TKxStockDialog;
}

/// The label stock chooser: the catalogue's stocks (maker, part number, description, size, layout)
/// filtered as the user types a maker or a part number, and a picture of the selected stock's sheet
/// with its details. Stocks KxLab cannot lay out are listed greyed with the reason, and cannot be
/// chosen. Catalogue files that could not be read are named at the bottom.
class TKxStockDialog : public QDialog {
    Q_OBJECT
public:
    explicit TKxStockDialog(const TKxStockCatalogue& Catalogue, QWidget* parent = nullptr);
    ~TKxStockDialog() override;

    /// Shows the stocks that match Text, as the search box does.
    void Filter(const QString& Text);
    /// Selects the stock of this maker and part number when it is listed, clearing the search first
    /// when it is not; false when the catalogue has no such stock.
    bool Select(const QString& Maker, const QString& Part);
    /// The stock selected, or null.
    const TKxStock* Selected() const;
    /// The stocks listed now.
    int Count() const;

    /// Asks for a stock in a modal chooser, the label's own stock selected; the stock chosen, or
    /// nothing when the user cancels.
    static std::optional<TKxStock> Choose(QWidget* Parent, const TKxStockCatalogue& Catalogue,
                                          const QString& Maker = {}, const QString& Part = {});

protected:
    void changeEvent(QEvent* Event) override;

private:
    void Retranslate();
    void ShowCount();
    void SelectionChanged();
    void PaintSheet(QPainter& Painter);

    const TKxStockCatalogue& FCatalogue;
    const std::unique_ptr<Ui::TKxStockDialog> ui;
    /// The stock of each row listed.
    std::vector<const TKxStock*> FListed;
    /// A label laid out as the selected stock, which the picture shows; null when none can be.
    std::unique_ptr<TKxLabel> FPreview;
};
