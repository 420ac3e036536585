#pragma once

#include <QString>

#include "dialogs/KxElementDialog.h"
#include "dialogs/KxForm.h"
#include "elements/KxImage.h"

namespace Ui {
class TProIma;
}

/// The picture's dialog: its box (within the label), file, fitting, border and field.
class TProIma : public TKxForm<TKxElementDialog<TKxImage>, Ui::TProIma> {
    Q_OBJECT
public:
    /// The picture-file dialog's filter.
    static const QString PictureFilter;

    explicit TProIma(QWidget* parent = nullptr);
    ~TProIma() override;

    /// IsNew: the picture was just drawn; the dialog behaves alike either way.
    void Ini(bool DataOpen, bool IsNew);

protected:
    /// A path typed but not yet committed is loaded.
    void Commit() override;

private:
    void BindFile();
    void BindFitting();
    void CommitPath();
    void OpenPicture();

    bool FIsNew = false;
};

/// The picture dialog while it is shown.
extern TProIma* ProIma;
