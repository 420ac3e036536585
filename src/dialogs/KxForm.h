#pragma once

#include <memory>

class QWidget;

/// A dialog of class TBase laid out by TUi, the form class that uic makes from the dialog's .ui file.
/// TUi need only be complete where the dialog's constructor and destructor are defined.
template <class TBase, class TUi>
class TKxForm : public TBase {
public:
    explicit TKxForm(QWidget* parent)
        : TBase(parent)
        , ui(std::make_unique<TUi>()) {
        ui->setupUi(this);
    }

protected:
    void Retranslate() override { ui->retranslateUi(this); }

    const std::unique_ptr<TUi> ui;
};
