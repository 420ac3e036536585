#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "common/LabelSamples.h"
#include "common/TestSupport.h"
#include "controls/SpinEditFloat.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/KxSheetPicture.h"
#include "dialogs/KxStockDialog.h"
#include "dialogs/LabPropTestSupport.h"
#include "dialogs/PaintBox.h"
#include "label/KxApplyStock.h"
#include "types/KxStockCatalogue.h"
#include "types/KxStrings.h"

// The stock chooser, and the "Stock..." button of the label properties dialog's "Dimensions" page.

namespace {

const TKxStockCatalogue& BuiltIn() {
    static const TKxStockCatalogue catalogue({});
    return catalogue;
}

/// A catalogue folder holding one file of the given templates.
struct TStockFolder {
    TKxTempDir Dir;
    explicit TStockFolder(const QByteArray& Templates, const QByteArray& Bad = {}) {
        QFile file(Dir.Path(QStringLiteral("test-templates.xml")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<Glabels-templates>" + Templates + "</Glabels-templates>");
        if (!Bad.isEmpty()) {
            QFile bad(Dir.Path(QStringLiteral("broken-templates.xml")));
            EXPECT_TRUE(bad.open(QIODevice::WriteOnly));
            bad.write(Bad);
        }
    }
};

const QByteArray Oval = R"(<Template brand="Acme" part="OV-1" size="A4" _description="Oval labels">
    <Label-ellipse id="0" width="60mm" height="40mm"><Layout nx="3" ny="6" x0="10mm" y0="10mm" dx="65mm"
    dy="45mm"/></Label-ellipse></Template>)";

struct TShownStocks {
    TKxStockDialog Dialog;
    explicit TShownStocks(const TKxStockCatalogue& Catalogue = BuiltIn())
        : Dialog(Catalogue) {
        Dialog.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&Dialog);
    }
    template <class T>
    T* Find(const char* Name) {
        return Dialog.findChild<T*>(QString::fromLatin1(Name));
    }
    QPushButton* Ok() { return Find<QDialogButtonBox>("ButtonsStock")->button(QDialogButtonBox::Ok); }
    QString Details() { return Find<QLabel>("LabelStockDetails")->text(); }
};

} // namespace

TEST(KxStockDialog, ListsEveryStockAndFiltersAsTheUserTypes) {
    TShownStocks d;
    auto* list = d.Find<QTreeWidget>("ListStocks");
    EXPECT_EQ(d.Dialog.Count(), static_cast<int>(BuiltIn().Stocks().size()));
    EXPECT_EQ(list->topLevelItemCount(), d.Dialog.Count());
    EXPECT_EQ(d.Dialog.Selected(), nullptr);
    EXPECT_FALSE(d.Ok()->isEnabled());
    QTest::keyClicks(d.Find<QLineEdit>("EdStockSearch"), QStringLiteral("l 7160"));
    EXPECT_EQ(d.Dialog.Count(), 1);
    ASSERT_NE(d.Dialog.Selected(), nullptr);
    EXPECT_EQ(d.Dialog.Selected()->Name(), QStringLiteral("Avery L7160"));
    const QTreeWidgetItem* row = list->topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("Avery"));
    EXPECT_EQ(row->text(1), QStringLiteral("L7160"));
    EXPECT_EQ(row->text(3), QStringLiteral("63.5 x 38.1 mm"));
    EXPECT_EQ(row->text(4), QStringLiteral("3 x 7, A4"));
    EXPECT_TRUE(d.Ok()->isEnabled());
    EXPECT_TRUE(d.Details().contains(QStringLiteral("First label at 7.21, 15.15 mm")))
        << d.Details().toStdString();
    EXPECT_EQ(d.Find<QLabel>("LabelStockCount")->text(),
              QStringLiteral("1 of %1").arg(BuiltIn().Stocks().size()));
    // Selecting a stock the search hides clears the search.
    ASSERT_TRUE(d.Dialog.Select(QStringLiteral("Avery"), QStringLiteral("5163")));
    EXPECT_TRUE(d.Find<QLineEdit>("EdStockSearch")->text().isEmpty());
    EXPECT_EQ(d.Dialog.Selected()->Name(), QStringLiteral("Avery 5163"));
    EXPECT_FALSE(d.Dialog.Select(QStringLiteral("Nobody"), QStringLiteral("0")));
    EXPECT_EQ(d.Find<QLabel>("LabelStockWarnings")->text(),
              QStringLiteral("Built-in stocks only: no stock catalogue is installed."));
}

TEST(KxStockDialog, PicturesTheSelectedStocksSheet) {
    TShownStocks d;
    ASSERT_TRUE(d.Dialog.Select(QStringLiteral("Avery"), QStringLiteral("L7163")));
    auto* box = d.Find<TPaintBox>("PaintStock");
    // A4 in portrait: 192 pixels wide, 272 high.
    EXPECT_EQ(box->size(), QSize(192, 272));
    const QImage shot = box->grab().toImage();
    TKxLabel label;
    KxApplyStock(label, *d.Dialog.Selected());
    const TKxSheetPicture picture(*label.GetMeasure(), 0);
    // Inside every cell white; between the two columns, the paper.
    for (int row = 1; row <= 7; ++row)
        for (int col = 1; col <= 2; ++col)
            EXPECT_EQ(shot.pixelColor(picture.CellRect(col, row).center()), QColor(Qt::white))
                << col << "," << row;
    const int between = (picture.CellRect(1, 1).right() + picture.CellRect(2, 1).left()) / 2;
    EXPECT_NE(shot.pixelColor(between, picture.CellRect(1, 4).center().y()), QColor(Qt::white));
    // A Letter sheet is lower.
    ASSERT_TRUE(d.Dialog.Select(QStringLiteral("Avery"), QStringLiteral("5160")));
    EXPECT_EQ(d.Find<TPaintBox>("PaintStock")->size(), QSize(192, 248));
}

TEST(KxStockDialog, ListsAStockThatCannotBeDrawnGreyWithTheReasonAndNamesTheFilesSkipped) {
    TStockFolder folder(Oval, "<Glabels-templates><Template");
    const TKxStockCatalogue catalogue({folder.Dir.Path()});
    TShownStocks d(catalogue);
    QTest::keyClicks(d.Find<QLineEdit>("EdStockSearch"), QStringLiteral("acme"));
    ASSERT_EQ(d.Dialog.Count(), 1);
    auto* list = d.Find<QTreeWidget>("ListStocks");
    EXPECT_EQ(list->topLevelItem(0)->toolTip(1), QStringLiteral("elliptic labels cannot be drawn"));
    EXPECT_NE(list->topLevelItem(0)->foreground(1).color(), d.Dialog.palette().color(QPalette::Text));
    EXPECT_FALSE(d.Ok()->isEnabled());
    EXPECT_TRUE(d.Details().contains(QStringLiteral("Cannot be used: elliptic labels cannot be drawn.")));
    EXPECT_EQ(d.Find<TPaintBox>("PaintStock")->size(), QSize(0, 0));
    // Activating it does not choose it either.
    emit list->itemActivated(list->topLevelItem(0), 0);
    EXPECT_TRUE(d.Dialog.isVisible());
    auto* warnings = d.Find<QLabel>("LabelStockWarnings");
    EXPECT_EQ(warnings->text(), QStringLiteral("Catalogue files skipped because they could not be read: 1."));
    EXPECT_TRUE(warnings->toolTip().contains(QStringLiteral("broken-templates.xml")));
}

TEST(KxStockDialog, ChooseAnswersTheStockTakenOrNothing) {
    WhenModal<TKxStockDialog>([](TKxStockDialog& D) {
        auto* search = D.findChild<QLineEdit*>(QStringLiteral("EdStockSearch"));
        QTest::keyClicks(search, QStringLiteral("avery 5160"));
        QTest::keyClick(D.findChild<QTreeWidget*>(QStringLiteral("ListStocks")), Qt::Key_Return);
    });
    const std::optional<TKxStock> taken = TKxStockDialog::Choose(nullptr, BuiltIn());
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->Name(), QStringLiteral("Avery 5160"));

    WhenModal<TKxStockDialog>([](TKxStockDialog& D) {
        EXPECT_EQ(D.Selected()->Name(), QStringLiteral("Avery L7651"));
        QTest::keyClick(&D, Qt::Key_Escape);
    });
    EXPECT_FALSE(
        TKxStockDialog::Choose(nullptr, BuiltIn(), QStringLiteral("Avery"), QStringLiteral("L7651")));
}

TEST(KxStockDialog, SpeaksSpanish) {
    ASSERT_TRUE(KxLoadLanguage("es"));
    {
        TShownStocks d;
        EXPECT_EQ(d.Dialog.windowTitle(), QStringLiteral("Hojas de etiquetas"));
        EXPECT_EQ(d.Find<QTreeWidget>("ListStocks")->headerItem()->text(0), QStringLiteral("Fabricante"));
        d.Dialog.Select(QStringLiteral("Avery"), QStringLiteral("L7160"));
        EXPECT_TRUE(d.Details().contains(QStringLiteral("Primera etiqueta en 7.21, 15.15 mm")))
            << d.Details().toStdString();
    }
    KxLoadLanguage("");
}

namespace {

class KxLabPropStock : public ::testing::Test {
protected:
    TDialogLab S;
    TKxMeasure& M() { return *S.Lab.GetMeasure(); }
    /// Clicks "Stock..." and, in the chooser, types Search and takes the first match.
    static void Take(TShownLabProp& D, const QString& Search) {
        WhenModal<TKxStockDialog>([Search](TKxStockDialog& C) {
            QTest::keyClicks(C.findChild<QLineEdit*>(QStringLiteral("EdStockSearch")), Search);
            C.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(D.Find<QPushButton>("BtnStock"), Qt::LeftButton);
    }
};

} // namespace

TEST_F(KxLabPropStock, TheStockButtonLaysTheSheetOutAndEveryBoxShowsIt) {
    TShownLabProp d(S.Lab);
    auto* button = d.Find<QPushButton>("BtnStock");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Stock..."));
    EXPECT_TRUE(d.Find<QLabel>("LabelStock")->text().isEmpty());
    const QImage before = d.Dialog.Bitmap();
    Take(d, QStringLiteral("L7160"));
    EXPECT_FLOAT_EQ(d.Find<TSpinEditFloat>("SpEdFloatWidth")->GetValue(), 63.5);
    EXPECT_FLOAT_EQ(d.Find<TSpinEditFloat>("SpEdFloatHeight")->GetValue(), 38.1);
    EXPECT_FLOAT_EQ(d.Find<TSpinEditFloat>("SpEdFloatDiHor")->GetValue(), 2.5);
    EXPECT_FLOAT_EQ(d.Find<TSpinEditFloat>("SpEdFloatDiVer")->GetValue(), 0);
    EXPECT_NEAR(d.Find<TSpinEditFloat>("SpEdFloatLeftMar")->GetValue(), M().GetMarLeft(), 1e-6);
    EXPECT_NEAR(d.Find<TSpinEditFloat>("SpEdFloatTopMar")->GetValue(), M().GetMarTop(), 1e-6);
    EXPECT_EQ(d.Find<QSpinBox>("SpinEdNuHor")->value(), 7);
    EXPECT_EQ(d.Find<QSpinBox>("SpinEdNuVer")->value(), 3);
    EXPECT_EQ(d.Find<QComboBox>("CBoxPaperName")->currentText(), QStringLiteral("A4"));
    EXPECT_EQ(M().WidthLU(), 635);
    EXPECT_EQ(M().GetNuHor(), 7);
    EXPECT_EQ(S.Lab.Label()->GetStockPart(), QStringLiteral("L7160"));
    EXPECT_EQ(d.Find<QLabel>("LabelStock")->text(), QStringLiteral("Stock: Avery L7160"));
    EXPECT_NE(d.Dialog.Bitmap(), before);
    // A box changed by hand afterwards: the sheet is no longer quite the stock.
    TypeInto(d.Find<TSpinEditFloat>("SpEdFloatWidth"), QStringLiteral("60"));
    EXPECT_EQ(M().WidthLU(), 600);
    d.Dialog.ShowStock();
    EXPECT_EQ(d.Find<QLabel>("LabelStock")->text(), QStringLiteral("Stock: Avery L7160 (changed since)"));
}

TEST_F(KxLabPropStock, TheChooserOpensOnTheLabelsStockAndCancellingItChangesNothing) {
    KxApplyStock(*S.Lab.Label(), *BuiltIn().Lookup(QStringLiteral("Avery"), QStringLiteral("J8163")));
    TShownLabProp d(S.Lab);
    EXPECT_EQ(d.Find<QLabel>("LabelStock")->text(), QStringLiteral("Stock: Avery J8163"));
    const QByteArray before = KxSaveToBytes(S.Lab);
    QString selected;
    WhenModal<TKxStockDialog>([&selected](TKxStockDialog& C) {
        selected = C.Selected() ? C.Selected()->Name() : QString();
        QTest::keyClicks(C.findChild<QLineEdit*>(QStringLiteral("EdStockSearch")), QStringLiteral("L7160"));
        C.reject();
    });
    QTest::mouseClick(d.Find<QPushButton>("BtnStock"), Qt::LeftButton);
    EXPECT_EQ(selected, QStringLiteral("Avery J8163"));
    EXPECT_EQ(KxSaveToBytes(S.Lab), before);
}

// "Roll" lays one label per page out, the page the label plus its gaps; the page follows the label's
// size while ticked, and another layout unticks it.
TEST_F(KxLabPropStock, TheRollBoxLaysOneLabelPerPageOutAndFollowsTheLabel) {
    TShownLabProp d(S.Lab);
    auto* roll = d.Find<QCheckBox>("CBRoll");
    ASSERT_NE(roll, nullptr);
    EXPECT_FALSE(roll->isChecked());
    QTest::mouseClick(roll, Qt::LeftButton);
    // The default label: 60 x 35 mm, gaps of 4 mm.
    EXPECT_EQ(d.Find<QSpinBox>("SpinEdNuHor")->value(), 1);
    EXPECT_EQ(d.Find<QSpinBox>("SpinEdNuVer")->value(), 1);
    EXPECT_FLOAT_EQ(d.Find<TSpinEditFloat>("SpEdFloatPaWidth")->GetValue(), 64);
    EXPECT_FLOAT_EQ(d.Find<TSpinEditFloat>("SpEdFloatPaHeight")->GetValue(), 39);
    EXPECT_FLOAT_EQ(d.Find<TSpinEditFloat>("SpEdFloatLeftMar")->GetValue(), 2);
    EXPECT_EQ(d.Find<QComboBox>("CBoxPaperName")->currentText(), QStringLiteral("User"));
    TypeInto(d.Find<TSpinEditFloat>("SpEdFloatWidth"), QStringLiteral("80"));
    EXPECT_EQ(M().PaperWidthLU(), 840);
    EXPECT_TRUE(roll->isChecked());
    d.Find<QSpinBox>("SpinEdNuHor")->setValue(2);
    EXPECT_FALSE(roll->isChecked());
    EXPECT_EQ(M().PaperWidthLU(), 840);
}

// Pictures of the chooser and of the "Dimensions" page after choosing a stock, in English and Spanish,
// written to the folder KXLAB_SCREENSHOTS names (nothing is written without it).
TEST_F(KxLabPropStock, Screenshots) {
    const QString folder = qEnvironmentVariable("KXLAB_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "KXLAB_SCREENSHOTS names no folder";
    QDir().mkpath(folder);
    for (const char* language : {"en", "es"}) {
        if (QByteArray(language) == "es") {
            ASSERT_TRUE(KxLoadLanguage("es"));
        }
        {
            TShownStocks c(KxStocks());
            c.Dialog.resize(940, 560);
            QTest::keyClicks(c.Find<QLineEdit>("EdStockSearch"), QStringLiteral("avery l71"));
            c.Dialog.Select(QStringLiteral("Avery"), QStringLiteral("L7160"));
            QApplication::processEvents();
            EXPECT_TRUE(c.Dialog.grab().save(QStringLiteral("%1/stock-list-%2.png").arg(folder, language)));
        }
        TDialogLab lab;
        TShownLabProp d(lab.Lab);
        Take(d, QStringLiteral("avery l7160"));
        QApplication::processEvents();
        EXPECT_TRUE(d.Dialog.grab().save(QStringLiteral("%1/dimensions-%2.png").arg(folder, language)));
        QTest::mouseClick(d.Find<QCheckBox>("CBRoll"), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(d.Dialog.grab().save(QStringLiteral("%1/roll-%2.png").arg(folder, language)));
    }
    KxLoadLanguage("");
}
