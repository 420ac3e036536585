#include "dialogs/KxDialog.h"

#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QKeyEvent>

#include "base/KxError.h"
#include "base/Messages.h"
#include "controls/SpinEditFloat.h"
#include "db/DBEngineError.h"
#include "designer/KxLab.h"
#include "dialogs/KxCaptions.h"
#include "dialogs/KxSwatch.h"

TKxDialog::TIniGuard::TIniGuard(TKxDialog& D)
    : FDialog(D)
    , FWas(D.FIni) {
    FDialog.FIni = true;
}

TKxDialog::TIniGuard::~TIniGuard() {
    FDialog.FIni = FWas;
}

TKxDialog::TKxDialog(QWidget* parent)
    : QDialog(parent)
    , ColorDialog1(new QColorDialog(this)) {
    ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);
}

TKxDialog::~TKxDialog() = default;

void TKxDialog::FillLanguage() {
    KxFillCaptions(*this);
}

void TKxDialog::RunLoaders(size_t From, size_t To) {
    for (size_t i = From; i < To && i < FLoaders.size(); ++i)
        FLoaders[i]();
}

void TKxDialog::RunLoaders() {
    RunLoaders(0, FLoaders.size());
}

void TKxDialog::Guarded(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const EDBEngineError& e) {
        ShowMessage(e.Message());
    } catch (const EKxError& e) {
        ShowMessage(e.Message());
    } catch (const std::exception& e) {
        ShowMessage(QString::fromUtf8(e.what()));
    }
}

void TKxDialog::Handle(const std::function<void()>& Action) {
    if (FIni) return;
    Guarded([&] {
        Action();
        Changed();
    });
}

void TKxDialog::ChooseColor(TKxSwatch* Swatch, const std::function<void(TColor)>& Store) {
    if (FIni) return;
    ColorDialog1->setCurrentColor(ToQColor(Swatch->GetBrushColor()));
    if (ColorDialog1->exec() != QDialog::Accepted) return;
    Handle([&] {
        const TColor chosen = FromQColor(ColorDialog1->selectedColor());
        Swatch->SetBrushColor(chosen);
        Store(chosen);
    });
}

QString TKxDialog::ChoosePictureFile(const QString& Filter) {
    QFileDialog dialog(this, QString(), QString(), Filter);
    dialog.setObjectName(QStringLiteral("OpenPictureDialog1"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void TKxDialog::UnitSteps(double InchStep) {
    const bool inch = Inches();
    for (TSpinEditFloat* box : findChildren<TSpinEditFloat*>()) {
        box->SetIncrement(inch ? InchStep : 0.5);
        box->SetDigits(inch ? 2 : 1);
    }
}

bool TKxDialog::Inches() const {
    return FLab && FLab->GetUnits() == unINCH;
}

void TKxDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        const TIniGuard guard(*this);
        Retranslate();
        FillLanguage();
    }
    QDialog::changeEvent(event);
}

void TKxDialog::Cancel() {
    FCancelled = true;
    reject();
}

void TKxDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FCancelled = false;
    QDialog::showEvent(event);
}

void TKxDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        Cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}
