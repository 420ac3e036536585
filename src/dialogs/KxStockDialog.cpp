#include "dialogs/KxStockDialog.h"

#include <algorithm>
#include <QEvent>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

#include "dialogs/KxSheetPainter.h"
#include "dialogs/KxSheetPicture.h"
#include "label/KxApplyStock.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "types/KxStockCatalogue.h"
#include "types/KxStockLayout.h"
#include "types/KxStockText.h"
#include "ui_KxStockDialog.h"

namespace {

enum TColumn { coMaker, coPart, coDescription, coSize, coLayout };

// A layout off by less than this is shown without a word about it.
constexpr double ExactEnough = 0.05;

} // namespace

TKxStockDialog::TKxStockDialog(const TKxStockCatalogue& Catalogue, QWidget* parent)
    : QDialog(parent)
    , FCatalogue(Catalogue)
    , ui(std::make_unique<Ui::TKxStockDialog>()) {
    ui->setupUi(this);
    for (const auto& [column, width] :
         {std::pair{coMaker, 110}, {coPart, 90}, {coDescription, 200}, {coSize, 120}})
        ui->ListStocks->setColumnWidth(column, width);
    ui->LabelStockDetails->setTextFormat(Qt::PlainText);
    ui->LabelStockWarnings->setTextFormat(Qt::PlainText);
    ui->PaintStock->OnPaint = [this](QPainter& Painter) { PaintSheet(Painter); };
    connect(ui->EdStockSearch, &QLineEdit::textChanged, this, &TKxStockDialog::Filter);
    connect(ui->ListStocks, &QTreeWidget::currentItemChanged, this, &TKxStockDialog::SelectionChanged);
    connect(ui->ListStocks, &QTreeWidget::itemActivated, this, [this] {
        if (const TKxStock* s = Selected(); s && s->Available()) accept();
    });
    connect(ui->ButtonsStock, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->ButtonsStock, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Retranslate();
    Filter({});
}

TKxStockDialog::~TKxStockDialog() = default;

void TKxStockDialog::Retranslate() {
    ui->retranslateUi(this);
    const QStringList& warnings = FCatalogue.Warnings();
    if (!warnings.isEmpty()) {
        ui->LabelStockWarnings->setText(
            tr("Catalogue files skipped because they could not be read: %1.").arg(warnings.size()));
        ui->LabelStockWarnings->setToolTip(warnings.join(QLatin1Char('\n')));
    } else if (FCatalogue.XmlFiles() == 0) {
        ui->LabelStockWarnings->setText(tr("Built-in stocks only: no stock catalogue is installed."));
    } else {
        ui->LabelStockWarnings->setText(
            tr("Built-in stocks and those of the installed catalogue (files read: %1).")
                .arg(FCatalogue.XmlFiles()));
    }
    ShowCount();
    SelectionChanged();
}

void TKxStockDialog::ShowCount() {
    ui->LabelStockCount->setText(tr("%1 of %2").arg(FListed.size()).arg(FCatalogue.Stocks().size()));
}

void TKxStockDialog::changeEvent(QEvent* Event) {
    if (Event->type() == QEvent::LanguageChange) Retranslate();
    QDialog::changeEvent(Event);
}

void TKxStockDialog::Filter(const QString& Text) {
    const TKxStock* keep = Selected();
    // Rows are rebuilt without a selection signal for each; the selection is settled once at the end.
    QSignalBlocker blocker(ui->ListStocks);
    ui->ListStocks->clear();
    FListed = FCatalogue.Search(Text);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(FListed.size()));
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    QTreeWidgetItem* current = nullptr;
    for (size_t i = 0; i < FListed.size(); ++i) {
        const TKxStock& s = *FListed[i];
        auto* item =
            new QTreeWidgetItem({s.Maker, s.Part, s.Description, KxStockSizeText(s), KxStockLayoutText(s)});
        item->setData(coMaker, Qt::UserRole, static_cast<qulonglong>(i));
        if (!s.Available()) {
            const QString why = KxStockIssueText(s);
            for (int c = coMaker; c <= coLayout; ++c) {
                item->setForeground(c, grey);
                item->setToolTip(c, why);
            }
        }
        if (FListed[i] == keep) current = item;
        items.append(item);
    }
    ui->ListStocks->addTopLevelItems(items);
    if (!current && !Text.trimmed().isEmpty() && !items.isEmpty()) current = items.front();
    ui->ListStocks->setCurrentItem(current);
    ShowCount();
    blocker.unblock();
    SelectionChanged();
}

bool TKxStockDialog::Select(const QString& Maker, const QString& Part) {
    const TKxStock* wanted = FCatalogue.Lookup(Maker, Part);
    if (!wanted) return false;
    if (std::find(FListed.begin(), FListed.end(), wanted) == FListed.end()) ui->EdStockSearch->clear();
    for (int row = 0; row < ui->ListStocks->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = ui->ListStocks->topLevelItem(row);
        if (FListed.at(item->data(coMaker, Qt::UserRole).toULongLong()) != wanted) continue;
        ui->ListStocks->setCurrentItem(item);
        ui->ListStocks->scrollToItem(item, QAbstractItemView::PositionAtCenter);
        return true;
    }
    return false;
}

const TKxStock* TKxStockDialog::Selected() const {
    const QTreeWidgetItem* item = ui->ListStocks->currentItem();
    if (!item) return nullptr;
    const qulonglong row = item->data(coMaker, Qt::UserRole).toULongLong();
    return row < FListed.size() ? FListed[row] : nullptr;
}

int TKxStockDialog::Count() const {
    return static_cast<int>(FListed.size());
}

void TKxStockDialog::SelectionChanged() {
    const TKxStock* s = Selected();
    FPreview.reset();
    QStringList details;
    if (s) {
        details << s->Name();
        if (!s->Description.isEmpty()) details << s->Description;
        details << KxStockSizeText(*s) << KxStockLayoutText(*s)
                << tr("First label at %1, %2 mm; the next %3 mm across and %4 mm down")
                       .arg(KxStockMm(s->Left), KxStockMm(s->Top), KxStockMm(s->PitchX), KxStockMm(s->PitchY))
                << (s->Source == TKxStockSource::BuiltIn ? tr("Built in") : QFileInfo(s->File).fileName());
        if (s->Available()) {
            FPreview = std::make_unique<TKxLabel>();
            KxApplyStock(*FPreview, *s);
            if (const double off = KxStockLayout(*s).Off; off > ExactEnough)
                details
                    << tr("Laid out in tenths of a millimetre, the labels are within %1 mm of the stock's.")
                           .arg(KxStockMm(off));
        } else {
            details << tr("Cannot be used: %1.").arg(KxStockIssueText(*s));
        }
    }
    ui->LabelStockDetails->setText(details.join(QLatin1Char('\n')));
    ui->ButtonsStock->button(QDialogButtonBox::Ok)->setEnabled(FPreview != nullptr);
    const QSize size = FPreview ? TKxSheetPicture(*FPreview->GetMeasure(), 0).Size() : QSize(0, 0);
    ui->PaintStock->setFixedSize(size);
    ui->PaintStock->update();
}

void TKxStockDialog::PaintSheet(QPainter& Painter) {
    if (!FPreview) return;
    const TKxSheetPicture picture(*FPreview->GetMeasure(), 0);
    KxPaintSheet(Painter, picture, FPreview->GetMeasure()->GetLabelType() == ltCircle,
                 palette().color(QPalette::ToolTipBase));
}

std::optional<TKxStock> TKxStockDialog::Choose(QWidget* Parent, const TKxStockCatalogue& Catalogue,
                                               const QString& Maker, const QString& Part) {
    TKxStockDialog dialog(Catalogue, Parent);
    dialog.setObjectName(QStringLiteral("TKxStockDialog"));
    dialog.Select(Maker, Part);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const TKxStock* s = dialog.Selected();
    if (!s || !s->Available()) return std::nullopt;
    return *s;
}
