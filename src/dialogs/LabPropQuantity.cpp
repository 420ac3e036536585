#include <memory>
#include <QSignalBlocker>

#include "db/Table.h"
#include "designer/KxLab.h"
#include "dialogs/LabProp.h"
#include "label/KxPrintInfo.h"
#include "label/KxQuantities.h"
#include "label/KxRunPlan.h"
#include "ui_LabProp.h"

void TPropLab::BindQuantity() {
    OnChange(ui->CBQuantityField, &QComboBox::currentIndexChanged, [this](int Index) {
        PrintInfo().SetQuantityField(Index <= 0 ? QString() : ui->CBQuantityField->itemText(Index));
        ShowLabelCount();
    });
    // After the boxes' own handlers, which store what they show.
    for (QSpinBox* box : {ui->SpEdNuLabs, ui->SpEdRepe, ui->SpinEdFrom, ui->SpinEdTo})
        connect(box, &QSpinBox::valueChanged, this, [this] {
            if (!Initialising()) ShowLabelCount();
        });
    AddLoader([this] { FillQuantityFields(); });
}

void TPropLab::FillQuantityFields() {
    if (!GetLab()) return;
    QComboBox& box = *ui->CBQuantityField;
    const QSignalBlocker blocker(box);
    box.clear();
    box.addItem(tr("(none)"));
    const bool open = Table().Active();
    if (open)
        for (int i = 0; i < Table().FieldCount(); ++i)
            box.addItem(Table().Fields(i).FieldName());
    // A field the table lacks stays the label's until the user chooses another: the run reports it.
    const QString field = PrintInfo().GetQuantityField();
    int index = field.isEmpty() ? 0 : box.findText(field);
    if (index < 0) {
        box.addItem(field);
        index = box.count() - 1;
    }
    box.setCurrentIndex(index);
    box.setEnabled(open);
    ShowLabelCount();
}

void TPropLab::ShowLabelCount() {
    if (!GetLab()) return;
    TKxRunSettings settings = TKxRunSettings::FromPrintInfo(PrintInfo());
    TTable& table = Table();
    const bool data = GetLab()->GetDaBa() && table.Active();
    QString text;
    try {
        if (data && !settings.QuantityField.isEmpty()) {
            // The grid's record is the one a filter is built from: the reading leaves it where it was.
            const int record = table.RecNo();
            const auto restore = [&] {
                if (record > 0) table.SetRecNo(record);
            };
            try {
                settings.Quantities = std::make_shared<const TKxQuantities>(KxReadQuantities(
                    table, settings.QuantityField, settings.FirstLab, settings.LastLab, settings.Repetition));
            } catch (...) {
                restore();
                throw;
            }
            restore();
        }
        text = tr("Labels to print: %1").arg(TKxRunPlan::Of(settings, Measure(), data).Labels);
    } catch (const EKxException& e) {
        text = e.Message();
    }
    ui->LabPrintCount->setText(text);
}
