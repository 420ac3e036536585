#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <QUndoStack>

#include "base/KxError.h"
#include "common/LabelSamples.h"
#include "label/KxApplyStock.h"
#include "label/KxCellWalk.h"
#include "label/KxFrame.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/LabelCell.h"
#include "types/KxStockCatalogue.h"
#include "types/KxStockLayout.h"

namespace {

const TKxStockCatalogue& BuiltIn() {
    static const TKxStockCatalogue catalogue({});
    return catalogue;
}

TKxStock Stock(const char* Part) {
    return *BuiltIn().Named(QString::fromLatin1(Part)).at(0);
}

/// L7160 under another name, to change at will.
TKxStock Custom() {
    TKxStock s = Stock("L7160");
    s.Maker = QStringLiteral("Acme");
    s.Part = QStringLiteral("R-40");
    return s;
}

/// How far, in millimetres, the first and last cell that the cell walk visits on a sheet laid out as S
/// lie from the stock's at worst.
double Off(const TKxStock& S) {
    TKxLabel label;
    KxApplyStock(label, S);
    const TKxMeasure& m = *label.GetMeasure();
    TKxRunState state;
    state.Count = int64_t{m.GetNuHor()} * m.GetNuVer();
    TKxCellWalk walk(m.GetNuHor(), m.GetNuVer(), 1, false, state);
    std::vector<TKxWalkStep> cells;
    for (TKxWalkStep step = walk.Next(); step.Kind != TKxWalkStep::wkEnd; step = walk.Next())
        if (step.Kind == TKxWalkStep::wkCell) cells.push_back(step);
    EXPECT_EQ(static_cast<int>(cells.size()), S.Columns * S.Rows);
    double off = 0;
    for (const TKxWalkStep& cell : {cells.front(), cells.back()}) {
        const TPoint at = LabelCellOrigin(m, cell.Col, cell.Row);
        const QPointF want = StockCellOrigin(S, cell.Col, cell.Row);
        off = std::max({off, std::abs(at.X / 10.0 - want.x()), std::abs(at.Y / 10.0 - want.y())});
    }
    // The layout knows how far it is off.
    EXPECT_NEAR(KxStockLayout(S).Off, off, 1e-9) << S.Name().toStdString();
    return off;
}

/// What a layout in tenths of a millimetre keeps to: 0.05 mm for the margin, 0.025 mm per further cell.
double Bound(const TKxStock& S) {
    return 0.05 + 0.025 * (std::max(S.Columns, S.Rows) - 1) + 1e-9;
}

TEST(KxStockLayouts, TakeTheStocksSizesInLabelUnits) {
    const TKxStockLayout l = KxStockLayout(Stock("L7160"));
    EXPECT_EQ(l.LabelType, ltRect);
    EXPECT_EQ(std::tuple(l.Width, l.Height, l.DiHor, l.DiVer, l.NuVer, l.NuHor),
              std::tuple(635, 381, 25, 0, 3, 7));
    EXPECT_EQ(std::tuple(l.PaperIndex, l.PaperSize, l.PaperWidth, l.PaperHeight),
              std::tuple(0, 9, 2100, 2970));
    EXPECT_EQ(KxStockLayout(Stock("5160")).PaperIndex, 3);
    // 2.05 in is 52.07 mm: at 52.1 each cell drifts 0.03 mm, 0.57 mm over twenty; the margin takes half
    // of it back.
    TKxStock s = Custom();
    s.Columns = 20, s.Width = 50, s.PitchX = 52.07, s.Left = 3;
    EXPECT_EQ(KxStockLayout(s).Width + KxStockLayout(s).DiHor, 521);
    EXPECT_NEAR(Off(s), 0.57 / 2, 0.05);
}

TEST(KxStockLayouts, TrimALabelThatOverlapsByAHairAndKeepCirclesRound) {
    TKxStock s = Custom();
    s.PitchY = s.Height - 0.3;
    EXPECT_EQ(std::pair(KxStockLayout(s).Height, KxStockLayout(s).DiVer), std::pair(378, 0));
    s = Custom();
    s.Shape = TKxStockShape::Round, s.Width = s.Height = 40, s.PitchX = 45, s.PitchY = 39.8, s.HoleRadius = 4;
    const TKxStockLayout l = KxStockLayout(s);
    EXPECT_EQ(std::tuple(l.LabelType, l.Width, l.Height, l.DiHor, l.DiVer, l.InnerCircle),
              std::tuple(ltCircle, 398, 398, 52, 0, 40));
}

TEST(KxApplyStock, SetsTheSheetThroughTheSettingsInAnyUnit) {
    TKxLabel label;
    label.GetFrame()->SetStyle(fsSingle);
    TKxStock s = Custom();
    s.CornerRadius = 1.5;
    KxApplyStock(label, s);
    const TKxMeasure& m = *label.GetMeasure();
    EXPECT_EQ(std::tuple(m.GetWidth(), m.GetHeight(), m.GetDiHor(), m.GetNuVer(), m.GetNuHor()),
              std::tuple(63.5f, 38.1f, 2.5f, 3, 7));
    EXPECT_EQ(m.GetPaperName(), QStringLiteral("A4"));
    EXPECT_EQ(label.GetPrintInfo()->GetPaperSize(), 9);
    EXPECT_FLOAT_EQ(label.GetFrame()->GetRadio(), 3.f);
    EXPECT_EQ(label.GetFrame()->GetStyle(), fsSingle);
    EXPECT_EQ(std::pair(label.GetStockMaker(), label.GetStockPart()),
              std::pair(QStringLiteral("Acme"), QStringLiteral("R-40")));
    // A stock that does not say how round its corners are leaves the frame's rounding.
    label.GetFrame()->SetRadio(4);
    s.CornerRadius.reset();
    KxApplyStock(label, s);
    EXPECT_FLOAT_EQ(label.GetFrame()->GetRadio(), 4.f);
    // Setters take the label's unit: in inches the same label units.
    for (const char* part : {"5160", "5195", "L7651"}) {
        TKxLabel mm;
        TKxLabel inch;
        inch.SetUnits(unINCH);
        KxApplyStock(mm, Stock(part));
        KxApplyStock(inch, Stock(part));
        inch.SetUnits(unMM);
        EXPECT_EQ(KxSaveToBytes(inch), KxSaveToBytes(mm)) << part;
    }
}

TEST(KxApplyStock, ARoundStockMakesACircleWithItsHoleAndAnOtherPaperTheUserPaper) {
    TKxLabel label;
    label.GetPrintInfo()->SetFirstCol(3);
    label.GetPrintInfo()->SetFirstRow(7);
    TKxStock s = Custom();
    s.Shape = TKxStockShape::Round, s.Width = s.Height = 117, s.HoleRadius = 20.5;
    s.Columns = 1, s.Rows = 2, s.PitchY = 140;
    s.PaperName = QStringLiteral("Other"), s.PaperWidth = 160, s.PaperHeight = 300;
    KxApplyStock(label, s);
    const TKxMeasure& m = *label.GetMeasure();
    EXPECT_EQ(std::tuple(m.GetLabelType(), m.WidthLU(), m.HeightLU(), m.InnerCircleLU(), m.DiVerLU()),
              std::tuple(ltCircle, 1170, 1170, 205, 230));
    EXPECT_EQ(m.GetPaperName(), Papers()[UserPaperIndex].Name);
    EXPECT_EQ(std::tuple(m.PaperWidthLU(), m.PaperHeightLU(), label.GetPrintInfo()->GetPaperSize()),
              std::tuple(1600, 3000, 256));
    // The first cell of a run moves back onto the new sheet.
    EXPECT_EQ(std::pair(label.GetPrintInfo()->GetFirstCol(), label.GetPrintInfo()->GetFirstRow()),
              std::pair(1, 2));
    KxApplyStock(label, Stock("L7160"));
    EXPECT_EQ(std::tuple(m.GetLabelType(), m.InnerCircleLU(), m.HeightLU()), std::tuple(ltRect, 0, 381));
}

TEST(KxApplyStock, IsOneUndoableStep) {
    TKxLabel label;
    const QByteArray before = label.Record();
    KxApplyStock(label, Stock("L7160"));
    ASSERT_EQ(label.UndoStack()->count(), 1);
    EXPECT_EQ(label.UndoStack()->undoText(), QStringLiteral("Label Stock"));
    label.UndoStack()->undo();
    EXPECT_EQ(label.Record(), before);
    EXPECT_TRUE(label.GetStockPart().isEmpty());
    label.UndoStack()->redo();
    EXPECT_TRUE(KxSheetIsStock(label, Stock("L7160")));
    EXPECT_EQ(label.GetStockPart(), QStringLiteral("L7160"));
}

TEST(KxApplyStock, AStockThatCannotBeDrawnIsRefusedAndChangesNothing) {
    TKxLabel label;
    const QByteArray before = KxSaveToBytes(label);
    TKxStock s = Custom();
    s.Shape = TKxStockShape::Ellipse;
    try {
        KxApplyStock(label, s);
        FAIL();
    } catch (const EKxError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Acme R-40 cannot be used: elliptic labels cannot be drawn"));
    }
    EXPECT_EQ(KxSaveToBytes(label), before);
    EXPECT_FALSE(KxSheetIsStock(label, s));
}

TEST(KxApplyStock, TheCellWalkFindsTheFirstAndLastLabelOfEveryBuiltInStockWhereTheStockHasThem) {
    const auto tenths = [](double V) { return std::abs(V * 10 - std::round(V * 10)) < 1e-6; };
    int exact = 0;
    double worst = 0;
    for (const TKxStock& s : BuiltIn().Stocks()) {
        const double off = Off(s);
        worst = std::max(worst, off);
        EXPECT_LE(off, Bound(s)) << s.Name().toStdString();
        // Sheets whose numbers are whole tenths of a millimetre fit exactly.
        if (tenths(s.Left) && tenths(s.Top) && tenths(s.PitchX) && tenths(s.PitchY)) {
            EXPECT_LE(off, 0.01) << s.Name().toStdString();
            ++exact;
        }
    }
    EXPECT_GE(exact, 10);
    std::printf("%zu built-in stocks laid out, %d exactly; the worst first or last cell is %.3f mm off\n",
                BuiltIn().Stocks().size(), exact, worst);
}

TEST(KxApplyStock, EveryUsableStockOfTheInstalledCatalogueFitsWithinTheBound) {
    const TKxStockCatalogue xml(TKxStockCatalogue::DefaultFolders(), false);
    if (xml.XmlFiles() == 0) GTEST_SKIP() << "the XML stock catalogue is not installed";
    int used = 0;
    int over[3] = {};
    double worst = 0;
    for (const TKxStock& s : xml.Stocks()) {
        if (!s.Available()) continue;
        ++used;
        const double off = Off(s);
        EXPECT_LE(off, Bound(s)) << s.Name().toStdString();
        over[0] += off > 0.01, over[1] += off > 0.1, over[2] += off > 0.2;
        worst = std::max(worst, off);
    }
    EXPECT_GT(used, 1500);
    std::printf(
        "%d stocks laid out: %d off by more than 0.01 mm, %d by more than 0.1 mm, %d by more than 0.2 mm; "
        "the worst by %.3f mm\n",
        used, over[0], over[1], over[2], worst);
}

TEST(KxLabelStock, IsKeptInTheNotesWhichOlderReadersNeverReachAndUndoBringsBack) {
    TKxLabel label;
    const QByteArray never = KxSaveToBytes(label);
    KxApplyStock(label, Stock("L7160"));
    const QByteArray with = KxSaveToBytes(label);
    label.SetStock({}, {});
    const QByteArray without = KxSaveToBytes(label);
    // A label that never used a stock writes no notes; one that did reads as the same label up to them.
    EXPECT_FALSE(never.contains("KXN1") || without.contains("KXN1"));
    EXPECT_EQ(with.left(without.size()), without);
    EXPECT_EQ(with.mid(without.size(), 4), QByteArray("KXN1"));
    TKxLabel read;
    read.RestoreRecord(with);
    EXPECT_EQ(std::pair(read.GetStockMaker(), read.GetStockPart()),
              std::pair(QStringLiteral("Avery"), QStringLiteral("L7160")));
    EXPECT_TRUE(KxSheetIsStock(read, Stock("L7160")));
    EXPECT_EQ(KxSaveToBytes(read), with);
    // A record without a stock takes it away.
    read.RestoreRecord(without);
    EXPECT_TRUE(read.GetStockPart().isEmpty());
    EXPECT_EQ(KxSaveToBytes(read), without);
}

} // namespace
