#pragma once

#include <QPointer>
#include <QWidget>

#include "dialogs/KxRecordModel.h"

class QToolButton;

/// A record navigator with the first, prior, next and last buttons (nbFirst, nbPrior, nbNext,
/// nbLast), moving the bound table of its data source. A button is enabled when its move has
/// somewhere to go. Errors of a move are shown through the message hook.
class TKxNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TKxNavigator(QWidget* parent = nullptr);

    void SetDataSource(TKxRecordModel* Source);
    TKxRecordModel* DataSource() const { return FSource; }

protected:
    void changeEvent(QEvent* event) override;

private:
    QToolButton* AddButton(const char* Name, const QString& Glyph, void (TKxRecordModel::*Move)());
    void Retranslate();
    void CheckButtons();

    QPointer<TKxRecordModel> FSource;
    QToolButton* FFirst = nullptr;
    QToolButton* FPrior = nullptr;
    QToolButton* FNext = nullptr;
    QToolButton* FLast = nullptr;
};
