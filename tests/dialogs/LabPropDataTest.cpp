#include <gtest/gtest.h>
#include <map>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

#include "base/Messages.h"
#include "common/DBTestDatabase.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/KxRecordModel.h"
#include "dialogs/LabPropTestSupport.h"
#include "label/KxAlias.h"

// The "DataBase" page against the real engines: lists, count and range, the record grid, its
// navigator and the filter built from its menu.

namespace {

/// Table Name of Rows records (id 1 to Rows, label "row <id>"), filled by one set-based statement.
bool MakeSeries(TTestDatabase& Db, const QString& Name, int Rows) {
    const QString create =
        QStringLiteral("CREATE TABLE %1 (id integer PRIMARY KEY, label text);\n").arg(Name);
    return Db.Exec(
        create + (Db.Engine() == TTestEngine::SQLite
                      ? QStringLiteral("INSERT INTO %1 (id, label) WITH RECURSIVE n(i) AS (SELECT 1 "
                                       "UNION ALL SELECT i + 1 FROM n WHERE i < %2) SELECT i, 'row ' "
                                       "|| i FROM n")
                      : QStringLiteral("INSERT INTO %1 SELECT i, 'row ' || i FROM generate_series(1, %2) i"))
                     .arg(Name)
                     .arg(Rows));
}

class KxLabPropData : public TProductsTest {
protected:
    TDialogLab S;
    void SetUp() override {
        TProductsTest::SetUp();
        if (IsSkipped() || HasFailure()) return;
        // A SQLite reader holds its lock: the set-up's writes must not wait on it.
        FTable.Close();
        Bind(QStringLiteral("products"));
    }
    void Bind(const QString& Name, const QString& Filter = {}) {
        TTable& t = *S.Lab.GetTable();
        t.Close();
        t.SetDatabaseName(FDb->Alias());
        t.SetTableName(Name);
        t.SetFilter(Filter);
    }
    TTable& Table() { return *S.Lab.GetTable(); }
    static QTableView* Grid(TShownLabProp& D) { return D.Find<QTableView>("dbGrid"); }
    /// Clicks the cell of the grid as a user does.
    static void ClickCell(TShownLabProp& D, int Row, int Column) {
        QTableView* grid = Grid(D);
        const QModelIndex index = grid->model()->index(Row, Column);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }
    /// The texts of a column of the grid, top to bottom.
    static QStringList Column(TShownLabProp& D, int Column) {
        QStringList texts;
        const QAbstractItemModel* model = Grid(D)->model();
        for (int r = 0; r < model->rowCount(); ++r)
            texts << model->index(r, Column).data().toString();
        return texts;
    }
    static int FieldColumn(TShownLabProp& D, const QString& Field) {
        const QAbstractItemModel* model = Grid(D)->model();
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString() == Field) return c;
        return -1;
    }
};

} // namespace

TEST_P(KxLabPropData, OpeningOnFortyRecordsWithDataCountsThemAndRangesOneToForty) {
    ASSERT_TRUE(MakeSeries(*FDb, "items", 40));
    Bind("items");
    S.Lab.SetDaBa(true);
    S.Lab.GetPrintInfo()->SetLabs(7);
    TShownLabProp d(S.Lab, 1);
    EXPECT_EQ(d.Find<QSpinBox>("SpEdNuLabs")->value(), 40);
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetLabs(), 40);
    EXPECT_EQ(d.Find<QSpinBox>("SpinEdFrom")->value(), 1);
    EXPECT_EQ(d.Find<QSpinBox>("SpinEdTo")->value(), 40);
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetLastLab(), 40);
    EXPECT_EQ(d.Find<QLabel>("LabCount")->text(), "40");
    EXPECT_FALSE(d.Find<QSpinBox>("SpEdNuLabs")->isEnabled());
    EXPECT_TRUE(d.Find<QSpinBox>("SpinEdTo")->isEnabled());
    EXPECT_TRUE(Table().Active());
}

TEST_P(KxLabPropData, TheDataBaseBoxSwitchesTheModeAndKeepsTheNumbers) {
    S.Lab.GetPrintInfo()->SetLabs(12);
    TShownLabProp d(S.Lab, 3);
    auto* box = d.Find<QCheckBox>("CheckData");
    ClickCheck(box);
    EXPECT_TRUE(S.Lab.GetDaBa());
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetLabs(), 5);
    EXPECT_EQ(d.Find<QSpinBox>("SpinEdTo")->value(), 5);
    EXPECT_FALSE(d.Find<QSpinBox>("SpEdNuLabs")->isEnabled());
    EXPECT_TRUE(d.Find<QSpinBox>("SpinEdFrom")->isEnabled());
    ClickCheck(box);
    EXPECT_FALSE(S.Lab.GetDaBa());
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetLabs(), 5);
    EXPECT_EQ(d.Find<QSpinBox>("SpinEdTo")->value(), 5);
    EXPECT_TRUE(d.Find<QSpinBox>("SpEdNuLabs")->isEnabled());
    EXPECT_FALSE(d.Find<QSpinBox>("SpinEdTo")->isEnabled());
}

TEST_P(KxLabPropData, TheCatalogueLimitsTheAliasesAndRenamesTheTables) {
    // Another alias in the session, which the catalogue leaves out.
    TTestDatabase other(TTestEngine::SQLite);
    ASSERT_TRUE(S.Lab.GetAlias()->SetCatalogue(
        QStringLiteral(R"([{"Name": "%1", "Tables": [{"Name": "products", "Caption": "Goods"}]},)"
                       R"( {"Name": "not_in_session"}])")
            .arg(FDb->Alias())));
    TShownLabProp d(S.Lab, 3);
    EXPECT_EQ(ComboItems(d.Find<QComboBox>("CBoxAlias")), QStringList{FDb->Alias()});
    EXPECT_EQ(ComboItems(d.Find<QComboBox>("CBoxTables")), QStringList{"Goods"});
    EXPECT_EQ(d.Dialog.AliasIndex(), 0);
    EXPECT_EQ(Table().TableName(), "products");
    EXPECT_EQ(Grid(d)->model()->rowCount(), 5);
}

namespace {

struct TPickCase {
    const char* Field;
    const char* Action;
    const char* Condition;
    const char* Where;
};

// Each cell is picked in the record of Apple (id 5).
const TPickCase PickCases[] = {
    {"name", "equality", "([name] = 'Apple')", "name = 'Apple'"},
    {"price", "less", "([price] <= 1.5)", "price <= 1.5"},
    {"qty", "greater", "([qty] >= 10)", "qty >= 10"},
    {"instock", "equality", "([instock] = True)", "instock = TRUE"},
    {"made", "inequality", "([made] <> '2024-03-01')", "made <> '2024-03-01'"},
    {"at", "equality", "([at] = '08:30:00')", "at = '08:30:00'"},
    {"stamp", "greater", "([stamp] >= '2024-03-01 08:30:00')", "stamp >= '2024-03-01 08:30:00'"},
    {"cost", "less", "([cost] <= 12.5)", "cost <= 12.5"},
};

} // namespace

TEST_P(KxLabPropData, AFilterPickedOnACellOfEachTypeKeepsWhatAnIndependentCountFinds) {
    for (const TPickCase& c : PickCases) {
        Bind("products");
        TShownLabProp d(S.Lab, 3);
        const int row = static_cast<int>(Column(d, 0).indexOf("5"));
        ClickCell(d, row, FieldColumn(d, c.Field));
        EXPECT_EQ(Table().RecNo(), row + 1) << "the clicked record is the table's current one";
        d.Find<QAction>(c.Action)->trigger();
        EXPECT_EQ(Table().Filter(), c.Condition) << c.Field;
        const qint64 expected = FDb->Count(QStringLiteral("products WHERE %1").arg(c.Where));
        EXPECT_GT(expected, 0) << c.Where;
        EXPECT_EQ(Grid(d)->model()->rowCount(), expected) << c.Where;
        EXPECT_EQ(Table().RecordCount(), expected);
        EXPECT_EQ(Column(d, 0).contains("5"), QString(c.Action) != "inequality") << c.Field;
    }
}

TEST_P(KxLabPropData, TheMenuShowsTheFilterStateAndDeleteDropsTheFilter) {
    TShownLabProp d(S.Lab, 3);
    auto* execute = d.Find<QAction>("Execute");
    auto* del = d.Find<QAction>("Delete1");
    const auto state = [&] {
        d.Dialog.PopupMenu1Popup();
        return std::tuple{execute->isChecked(), execute->isEnabled(), del->isEnabled(),
                          d.Find<QAction>("equality")->isEnabled()};
    };
    EXPECT_EQ(state(), std::tuple(false, false, false, true));
    ClickCell(d, 1, FieldColumn(d, "qty"));
    d.Find<QAction>("less")->trigger();
    EXPECT_EQ(state(), std::tuple(true, true, true, true));
    // The grid's context menu opens where it is asked for.
    QContextMenuEvent menu(QContextMenuEvent::Mouse, {20, 20},
                           Grid(d)->viewport()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(Grid(d)->viewport(), &menu);
    EXPECT_EQ(QApplication::activePopupWidget(), d.Dialog.PopupMenu1());
    d.Dialog.PopupMenu1()->close();
    del->trigger();
    EXPECT_TRUE(Table().Filter().isEmpty());
    EXPECT_EQ(Grid(d)->model()->rowCount(), 5);
    EXPECT_EQ(state(), std::tuple(false, false, false, true));
}

TEST_P(KxLabPropData, AFilterThatFailsIsReplacedByTheLastOneThatWorked) {
    // A field name holding "]" cannot be written in the bracketed syntax: the condition never parses.
    ASSERT_TRUE(FDb->Exec("CREATE TABLE odd (id integer PRIMARY KEY, \"a]b\" integer);\n"
                          "INSERT INTO odd VALUES (1, 10), (2, 20), (3, 30)"));
    Bind("odd");
    TShownLabProp d(S.Lab, 3);
    ClickCell(d, 1, 0);
    d.Find<QAction>("greater")->trigger();
    ASSERT_EQ(Table().Filter(), "([id] >= 2)");
    TMessageCapture messages;
    ClickCell(d, 0, 1);
    d.Find<QAction>("equality")->trigger();
    ASSERT_EQ(messages.Messages.size(), 1);
    EXPECT_TRUE(messages.Messages[0].contains("odd") && messages.Messages[0].contains("Invalid filter"))
        << "the database's own text: " << messages.Messages[0].toStdString();
    EXPECT_EQ(Table().Filter(), "([id] >= 2)");
    EXPECT_TRUE(Table().Active());
    EXPECT_EQ(Column(d, 0), (QStringList{"2", "3"}));
    EXPECT_EQ(d.Find<QSpinBox>("SpinEdTo")->maximum(), S.Lab.GetPrintInfo()->GetLabs());
}

TEST_P(KxLabPropData, ATableThatCannotOpenIsClosedWithAnEmptyGridAndExecuteFallsBackToNoFilter) {
    ASSERT_TRUE(MakeSeries(*FDb, "items", 40));
    Bind("products", "([qty] >= 3)");
    TShownLabProp d(S.Lab, 3);
    auto* tables = d.Find<QComboBox>("CBoxTables");
    TMessageCapture messages;
    tables->setCurrentIndex(tables->findText("items"));
    ASSERT_EQ(messages.Messages.size(), 1) << "items has no qty";
    EXPECT_FALSE(Table().Active());
    EXPECT_EQ(Table().TableName(), "items");
    EXPECT_EQ(Table().Filter(), "([qty] >= 3)") << "the binding keeps what was set";
    EXPECT_EQ(Grid(d)->model()->rowCount(), 0);
    d.Find<QAction>("Execute")->trigger();
    EXPECT_EQ(messages.Messages.size(), 2);
    EXPECT_TRUE(Table().Filter().isEmpty());
    EXPECT_TRUE(Table().Active());
    EXPECT_EQ(Grid(d)->model()->rowCount(), 40);
}

TEST_P(KxLabPropData, GridAndNavigatorMoveTheBoundTableAndShowingRowsDoesNot) {
    TShownLabProp d(S.Lab, 3);
    QTableView* grid = Grid(d);
    EXPECT_EQ(Table().RecNo(), 1);
    grid->scrollToBottom();
    grid->viewport()->repaint();
    EXPECT_EQ(Table().RecNo(), 1);
    ClickCell(d, 3, 1);
    EXPECT_EQ(Table().RecNo(), 4);
    EXPECT_EQ(Table().FieldByName("name").AsString(), "apple");
    EXPECT_FALSE(grid->model()->headerData(3, Qt::Vertical).toString().isEmpty()) << "the row is marked";
    EXPECT_TRUE(grid->model()->headerData(0, Qt::Vertical).toString().isEmpty());
    auto* next = d.Find<QToolButton>("nbNext");
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(Table().RecNo(), 5);
    EXPECT_EQ(grid->currentIndex().row(), 4);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_FALSE(d.Find<QToolButton>("nbLast")->isEnabled());
    QTest::mouseClick(d.Find<QToolButton>("nbFirst"), Qt::LeftButton);
    EXPECT_EQ(Table().RecNo(), 1);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_FALSE(d.Find<QToolButton>("nbPrior")->isEnabled());
    QTest::mouseClick(d.Find<QToolButton>("nbLast"), Qt::LeftButton);
    QTest::mouseClick(d.Find<QToolButton>("nbPrior"), Qt::LeftButton);
    EXPECT_EQ(Table().RecNo(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 3);
}

TEST_P(KxLabPropData, ClosingOpensTheTableForARunWithData) {
    for (const bool data : {false, true}) {
        S.Lab.SetDaBa(data);
        WhenModal<TPropLab>([](TPropLab&) {});
        S.Lab.ShowProp(3);
        EXPECT_EQ(S.Lab.GetDataValid(), data);
    }
}

namespace {

/// A table of a million records per engine, made once by one set-based statement.
class KxLabPropMillion : public ::testing::TestWithParam<TTestEngine> {
protected:
    static constexpr int Rows = 1000000;
    static inline std::map<TTestEngine, std::unique_ptr<TTestDatabase>> FBig;
    static void TearDownTestSuite() { FBig.clear(); }
    void SetUp() override {
        QString reason;
        if (!TTestDatabase::Configured(GetParam(), &reason)) GTEST_SKIP() << reason.toStdString();
        std::unique_ptr<TTestDatabase>& db = FBig[GetParam()];
        if (!db) {
            db = std::make_unique<TTestDatabase>(GetParam());
            ASSERT_TRUE(MakeSeries(*db, "big", Rows));
        }
        TTable& t = *S.Lab.GetTable();
        t.SetDatabaseName(db->Alias());
        t.SetTableName("big");
        S.Lab.SetDaBa(true);
    }
    TDialogLab S;
};

} // namespace

TEST_P(KxLabPropMillion, OpensAtOnceReadingAWindowAndCountsEveryRecord) {
    TShownLabProp d(S.Lab, 3);
    auto* grid = d.Find<QTableView>("dbGrid");
    const TKxRecordModel* source = d.Dialog.DataSource1();
    grid->viewport()->repaint();
    EXPECT_EQ(source->rowCount(), Rows);
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetLabs(), Rows) << "the 3000 of the box is never written back";
    EXPECT_EQ(d.Find<QLabel>("LabCount")->text(), QString::number(Rows));
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "row 1");
    EXPECT_LE(source->Cursor().RowsFetched(), 1 + TKxRecordModel::BlockRows);
    EXPECT_LE(S.Lab.GetTable()->RowsFetched(), 1);

    QTest::mouseClick(d.Find<QToolButton>("nbLast"), Qt::LeftButton);
    grid->viewport()->repaint();
    EXPECT_EQ(grid->currentIndex().row(), Rows - 1);
    EXPECT_EQ(grid->model()->index(Rows - 1, 1).data().toString(), QStringLiteral("row %1").arg(Rows));
    EXPECT_EQ(S.Lab.GetTable()->RecNo(), Rows);
    EXPECT_LE(source->Cursor().RowsFetched(), 1 + 3 * TKxRecordModel::BlockRows);
    EXPECT_LE(S.Lab.GetTable()->RowsFetched(), 1 + TTable::PageSize);
}

TEST_P(KxLabPropMillion, RecountingPastTheBoxsLimitKeepsTheRecordCount) {
    TShownLabProp d(S.Lab, 3);
    auto* grid = d.Find<QTableView>("dbGrid");
    grid->setCurrentIndex(grid->model()->index(9, 0));
    d.Find<QAction>("less")->trigger();
    EXPECT_EQ(S.Lab.GetTable()->Filter(), "([id] <= 10)");
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetLabs(), 10);
    d.Find<QAction>("Delete1")->trigger();
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetLabs(), Rows);
    EXPECT_EQ(d.Find<QSpinBox>("SpinEdTo")->value(), Rows);
    EXPECT_EQ(d.Find<QSpinBox>("SpEdNuLabs")->value(), 3000) << "the box shows what it can";
}

KXLAB_INSTANTIATE_ENGINES(KxLabPropData);
KXLAB_INSTANTIATE_ENGINES(KxLabPropMillion);

TEST_P(KxLabPropData, TheFilterInForceIsShownInWordsAndNothingWithoutOne) {
    TShownLabProp d(S.Lab, 3);
    auto* filter = d.Find<QLabel>("LabelFilter");
    EXPECT_TRUE(filter->isHidden());
    ClickCell(d, 1, FieldColumn(d, "qty"));
    d.Find<QAction>("less")->trigger();
    ASSERT_FALSE(Table().Filter().isEmpty());
    EXPECT_FALSE(filter->isHidden());
    EXPECT_EQ(filter->text(), "Filter: " + Table().Filter());
    d.Find<QAction>("Delete1")->trigger();
    EXPECT_TRUE(filter->isHidden());
    EXPECT_TRUE(filter->text().isEmpty());
}
