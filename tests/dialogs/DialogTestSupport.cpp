#include "dialogs/DialogTestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <QAbstractButton>
#include <QBuffer>
#include <QComboBox>
#include <QDataStream>
#include <QElapsedTimer>
#include <QTimer>

#include "common/LabelSamples.h"
#include "controls/SpinEditFloat.h"
#include "elements/KxData.h"
#include "elements/KxElementFactory.h"

TDialogLab::TDialogLab() {
    Lab.resize(400, 300);
    Lab.show();
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&Lab);
}

TKxElement* TDialogLab::Add(int Tag, bool Bound) {
    std::unique_ptr<TKxElement> e = KxSampleElement(Tag, Lab.Label());
    if (auto* data = dynamic_cast<TKxData*>(e.get())) data->DataBase = Bound;
    TKxElement* raw = e.get();
    Lab.AddElement(std::move(e));
    Lab.ElementByID(raw->ID);
    return raw;
}

QByteArray RecordOf(const TKxElement& E) {
    return TKxElementFactory::Record(E);
}

void WhenModal(const char* ClassName, std::function<void(QWidget&)> Check, int Wait) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=, Name = QByteArray(ClassName)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->inherits(Name.constData())) {
            Check(*modal);
            if (modal->isVisible()) modal->close();
            *poll = nullptr;
            return;
        }
        if (clock->elapsed() > Wait) {
            ADD_FAILURE() << "no modal " << Name.constData() << " showed";
            if (modal) modal->close();
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, [poll] {
            if (*poll) (*poll)();
        });
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}

struct TModalWatch::TState {
    QTimer Timer;
};

TModalWatch::TModalWatch()
    : FState(std::make_unique<TState>()) {
    FState->Timer.setInterval(10);
    QObject::connect(&FState->Timer, &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++Seen;
            modal->close();
        }
    });
    FState->Timer.start();
}

TModalWatch::~TModalWatch() = default;

void TypeInto(TSpinEditFloat* Box, const QString& Text) {
    Box->setFocus();
    Box->selectAll();
    QTest::keyClick(Box, Qt::Key_Delete);
    Box->selectAll();
    QTest::keyClicks(Box, Text);
}

void ClickCheck(QAbstractButton* Box) {
    // Only the indicator and the caption take clicks, not the rest of the row.
    QTest::mouseClick(Box, Qt::LeftButton, {}, {8, Box->height() / 2});
}

QStringList ComboItems(const QComboBox* List) {
    QStringList items;
    for (int i = 0; i < List->count(); ++i)
        items << List->itemText(i);
    return items;
}
