#include <gtest/gtest.h>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>

#include "common/DBTestDatabase.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/LabPropTestSupport.h"
#include "label/KxLabel.h"
#include "label/KxPrintInfo.h"
#include "label/KxPrintRun.h"
#include "metafile/Metafile.h"
#include "types/KxStrings.h"

// The "Print" page's quantity field against the real engines: the fields of the bound table to choose
// from, and a label count that is what the run prints.

namespace {

class KxLabPropQuantity : public TEngineTest {
protected:
    TDialogLab S;
    // Table bom of three records with the given quantities, bound and used, two copies of each.
    void Bind(const QStringList& Quantities) {
        QString sql =
            QStringLiteral("CREATE TABLE bom (id integer PRIMARY KEY, name varchar(20), qty varchar(20))");
        for (int i = 0; i < Quantities.size(); ++i)
            sql +=
                QStringLiteral(";\nINSERT INTO bom VALUES (%1, 'n%1', '%2')").arg(i + 1).arg(Quantities[i]);
        ASSERT_TRUE(FDb->Exec(sql));
        TTable& t = *S.Lab.GetTable();
        t.SetDatabaseName(FDb->Alias());
        t.SetTableName(QStringLiteral("bom"));
        S.Lab.SetDaBa(true);
        S.Lab.GetPrintInfo()->SetRepetition(2);
    }
    // The labels a run of the label's print settings draws, on a copy: the run closes its table, and the
    // dialog's stays open.
    int64_t Printed() {
        const std::unique_ptr<TKxLabel> copy = S.Lab.Label()->Copy();
        // The repetitions live in the designer's settings, not in the label's record.
        TKxPrintRun run(*copy, TKxRunSettings::FromPrintInfo(*S.Lab.GetPrintInfo()));
        run.Record([](std::unique_ptr<TMetafile>) {});
        return run.GetLabels();
    }
};

// Moves the list's selection by Steps with the keyboard, as a user does.
void Choose(QComboBox* Box, int Index) {
    Box->setFocus();
    const int from = Box->currentIndex();
    for (int i = from; i != Index; i += Index > from ? 1 : -1)
        QTest::keyClick(Box, Index > from ? Qt::Key_Down : Qt::Key_Up);
}

} // namespace

TEST_P(KxLabPropQuantity, ChoosingTheFieldCountsTheLabelsTheRunPrints) {
    Bind({"3", "0", "2"});
    TShownLabProp d(S.Lab, 1);
    auto* box = d.Find<QComboBox>("CBQuantityField");
    auto* count = d.Find<QLabel>("LabPrintCount");
    EXPECT_EQ(ComboItems(box), QStringList({"(none)", "id", "name", "qty"}));
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(count->text().toStdString(), "Labels to print: 6");
    EXPECT_EQ(Printed(), 6);

    Choose(box, 3);
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetQuantityField(), "qty");
    EXPECT_EQ(count->text().toStdString(), "Labels to print: 10");
    EXPECT_EQ(Printed(), 10);

    auto* copies = d.Find<QSpinBox>("SpEdRepe");
    copies->setFocus();
    QTest::keyClick(copies, Qt::Key_Up);
    EXPECT_EQ(count->text().toStdString(), "Labels to print: 15");
    EXPECT_EQ(Printed(), 15);

    auto* to = d.Find<QSpinBox>("SpinEdTo");
    to->setFocus();
    QTest::keyClick(to, Qt::Key_Down);
    EXPECT_EQ(count->text().toStdString(), "Labels to print: 9");
    EXPECT_EQ(Printed(), 9);

    Choose(box, 0);
    EXPECT_TRUE(S.Lab.GetPrintInfo()->GetQuantityField().isEmpty());
    EXPECT_EQ(count->text().toStdString(), "Labels to print: 6");
}

TEST_P(KxLabPropQuantity, ABadQuantityIsShownNamingTheRecordAndAFieldTheTableLacksIsKept) {
    Bind({"1", "abc", "2"});
    S.Lab.GetPrintInfo()->SetQuantityField(QStringLiteral("qty"));
    {
        TShownLabProp d(S.Lab, 1);
        EXPECT_EQ(d.Find<QComboBox>("CBQuantityField")->currentText(), "qty");
        EXPECT_TRUE(d.Find<QLabel>("LabPrintCount")->text().startsWith("record 2 (id = 2) of table \"bom\""))
            << d.Find<QLabel>("LabPrintCount")->text().toStdString();
        // The table stays open on the record it was on, for the grid and the filter.
        EXPECT_TRUE(S.Lab.GetTable()->Active());
        EXPECT_EQ(S.Lab.GetTable()->RecNo(), 1);
    }
    S.Lab.GetPrintInfo()->SetQuantityField(QStringLiteral("count"));
    TShownLabProp d(S.Lab, 1);
    auto* box = d.Find<QComboBox>("CBQuantityField");
    EXPECT_EQ(ComboItems(box), QStringList({"(none)", "id", "name", "qty", "count"}));
    EXPECT_EQ(box->currentText(), "count");
    EXPECT_TRUE(d.Find<QLabel>("LabPrintCount")->text().contains("its fields are: id, name, qty"));
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetQuantityField(), "count");
}

KXLAB_INSTANTIATE_ENGINES(KxLabPropQuantity);

// The page in English and Spanish, without a table (the list holds only "(none)" and is disabled) and
// with one; with KXLAB_SCREENSHOT_DIR set the pictures are kept there.
TEST(LabPropQuantityScreenshot, ThePageSpeaksTheLanguageAndTheListFollowsTheTable) {
    for (const QString language : {"", "es"}) {
        SCOPED_TRACE(language.toStdString());
        ASSERT_TRUE(language.isEmpty() || KxLoadLanguage(language));
        const bool es = !language.isEmpty();
        for (const bool table : {false, true}) {
            // Without an alias in the session the dialog has no table to bind.
            std::unique_ptr<TTestDatabase> db;
            TDialogLab s;
            if (table) {
                db = std::make_unique<TTestDatabase>(TTestEngine::SQLite);
                ASSERT_TRUE(
                    db->Exec("CREATE TABLE bom (id integer PRIMARY KEY, name varchar(20), qty integer);\n"
                             "INSERT INTO bom VALUES (1, 'n1', 3), (2, 'n2', 0), (3, 'n3', 2)"));
                s.Lab.GetTable()->SetDatabaseName(db->Alias());
                s.Lab.GetTable()->SetTableName(QStringLiteral("bom"));
                s.Lab.SetDaBa(true);
                s.Lab.GetPrintInfo()->SetQuantityField(QStringLiteral("qty"));
            }
            TShownLabProp d(s.Lab, 1);
            auto* box = d.Find<QComboBox>("CBQuantityField");
            EXPECT_EQ(box->isEnabled(), table);
            EXPECT_EQ(box->itemText(0), es ? "(ninguno)" : "(none)");
            EXPECT_EQ(box->count(), table ? 4 : 1);
            EXPECT_EQ(d.Find<QLabel>("LabelCBQuantityField")->text(),
                      es ? "Campo de cantidad" : "Quantity field");
            EXPECT_EQ(d.Find<QLabel>("LabPrintCount")->text(),
                      QString(es ? "Etiquetas a imprimir: %1" : "Labels to print: %1").arg(table ? 5 : 1));
            if (const QString folder = qEnvironmentVariable("KXLAB_SCREENSHOT_DIR"); !folder.isEmpty()) {
                QDir().mkpath(folder);
                EXPECT_TRUE(d.Dialog.grab().save(QDir(folder).filePath(
                    QStringLiteral("print-page-%1%2.png").arg(es ? "es" : "en", table ? "" : "-no-table"))));
            }
        }
    }
    KxLoadLanguage(QString());
}
