#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <QBuffer>
#include <QDir>
#include <stdexcept>

#include "base/KxError.h"
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

QByteArray Bytes(const TKxLabel& Label) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Label.SaveToStream(buffer);
    return bytes;
}

void Load(TKxLabel& Label, const QByteArray& Bytes) {
    QBuffer in;
    in.setData(Bytes);
    in.open(QIODevice::ReadOnly);
    Label.LoadFromStream(in);
}

const TKxStockCatalogue& BuiltIn() {
    static const TKxStockCatalogue catalogue({});
    return catalogue;
}

const TKxStock& Stock(const char* Maker, const char* Part) {
    const TKxStock* s = BuiltIn().Lookup(QString::fromLatin1(Maker), QString::fromLatin1(Part));
    if (!s) throw std::runtime_error(std::string("no stock ") + Part);
    return *s;
}

TKxStock Custom() {
    TKxStock s = Stock("Avery", "L7160");
    s.Maker = QStringLiteral("Acme");
    s.Part = QStringLiteral("R-40");
    return s;
}

// The first and last cell a run over one whole sheet visits.
std::pair<TKxWalkStep, TKxWalkStep> FirstAndLast(const TKxMeasure& M) {
    TKxRunState state;
    state.Count = int64_t{M.GetNuHor()} * M.GetNuVer();
    TKxCellWalk walk(M.GetNuHor(), M.GetNuVer(), 1, false, state);
    TKxWalkStep first;
    TKxWalkStep last;
    for (TKxWalkStep step = walk.Next(); step.Kind != TKxWalkStep::wkEnd; step = walk.Next()) {
        if (step.Kind != TKxWalkStep::wkCell) continue;
        if (first.Kind != TKxWalkStep::wkCell) first = step;
        last = step;
    }
    return {first, last};
}

// How far, in millimetres, the label's first and last cell lie from the stock's; the bound a layout in
// tenths of a millimetre keeps: 0.05 mm for the margin's rounding, plus half the drift of a pitch
// rounded by up to 0.05 mm over the row.
struct TFit {
    double Off = 0;
    double Bound = 0;
};

TFit Fit(const TKxStock& S, TKxUnits Units = unMM) {
    TKxLabel label;
    label.SetUnits(Units);
    KxApplyStock(label, S);
    const TKxMeasure& m = *label.GetMeasure();
    const auto [first, last] = FirstAndLast(m);
    EXPECT_EQ(first.Col, 1);
    EXPECT_EQ(first.Row, 1);
    EXPECT_EQ(last.Col, S.Columns);
    EXPECT_EQ(last.Row, S.Rows);
    TFit fit;
    for (const TKxWalkStep& cell : {first, last}) {
        const TPoint at = LabelCellOrigin(m, cell.Col, cell.Row);
        const QPointF want = StockCellOrigin(S, cell.Col, cell.Row);
        fit.Off = std::max({fit.Off, std::abs(at.X / 10.0 - want.x()), std::abs(at.Y / 10.0 - want.y())});
    }
    fit.Bound = 0.05 + 0.025 * (std::max(S.Columns, S.Rows) - 1) + 1e-9;
    // The layout knows how far it is off.
    EXPECT_NEAR(KxStockLayout(S).Off, fit.Off, 1e-9) << S.Name().toStdString();
    return fit;
}

TEST(KxStockLayouts, TakeTheStocksSizesInLabelUnits) {
    const TKxStockLayout l = KxStockLayout(Stock("Avery", "L7160"));
    EXPECT_EQ(l.LabelType, ltRect);
    EXPECT_EQ(l.Width, 635);
    EXPECT_EQ(l.Height, 381);
    EXPECT_EQ(l.DiHor, 25);
    EXPECT_EQ(l.DiVer, 0);
    EXPECT_EQ(l.NuVer, 3);
    EXPECT_EQ(l.NuHor, 7);
    EXPECT_EQ(l.PaperIndex, 0);
    EXPECT_EQ(l.PaperSize, 9);
    EXPECT_EQ(l.PaperWidth, 2100);
    EXPECT_EQ(l.PaperHeight, 2970);
    const TKxStockLayout letter = KxStockLayout(Stock("Avery", "5160"));
    EXPECT_EQ(letter.PaperIndex, 3);
    EXPECT_EQ(letter.PaperSize, 1);
    // 2.75 in is 69.85 mm: either neighbour serves as well.
    EXPECT_NEAR(letter.Width + letter.DiHor, 698.5, 0.5);
}

TEST(KxStockLayouts, SpreadAPitchesRoundingOverTheRow) {
    // 2.05 in is 52.07 mm: each cell drifts 0.07 mm short at 52.0, 1.33 mm over twenty columns.
    TKxStock s = Custom();
    s.Columns = 20;
    s.Width = 50;
    s.PitchX = 52.07;
    s.Left = 3;
    const TKxStockLayout l = KxStockLayout(s);
    EXPECT_EQ(l.Width + l.DiHor, 521);
    const double first = l.MarLeft / 10.0 - s.Left;
    const double last = (l.MarLeft + 19.0 * (l.Width + l.DiHor)) / 10.0 - (s.Left + 19 * s.PitchX);
    EXPECT_NEAR(first, -last, 0.05);
    EXPECT_LE(std::max(std::abs(first), std::abs(last)), 0.05 + 19 * 0.03 / 2 + 1e-9);
}

TEST(KxStockLayouts, TrimALabelThatOverlapsByAHairAndKeepCirclesRound) {
    TKxStock s = Custom();
    s.PitchY = s.Height - 0.3;
    TKxStockLayout l = KxStockLayout(s);
    EXPECT_EQ(l.DiVer, 0);
    EXPECT_EQ(l.Height, 378);
    s = Custom();
    s.Shape = TKxStockShape::Round;
    s.Width = s.Height = 40;
    s.PitchX = 45;
    s.PitchY = 39.8;
    s.HoleRadius = 4;
    l = KxStockLayout(s);
    EXPECT_EQ(l.LabelType, ltCircle);
    EXPECT_EQ(l.Width, 398);
    EXPECT_EQ(l.Height, 398);
    EXPECT_EQ(l.DiHor, 52);
    EXPECT_EQ(l.DiVer, 0);
    EXPECT_EQ(l.InnerCircle, 40);
}

TEST(KxStockLayouts, APaperOutsideTheCatalogueIsTheUserPaper) {
    TKxStock s = Custom();
    s.PaperName = QStringLiteral("Other");
    s.PaperWidth = 100;
    s.PaperHeight = 150.35;
    TKxStockLayout l = KxStockLayout(s);
    EXPECT_EQ(l.PaperIndex, UserPaperIndex);
    EXPECT_EQ(l.PaperSize, 256);
    EXPECT_EQ(l.PaperWidth, 1000);
    EXPECT_EQ(l.PaperHeight, 1504);
    // A name the catalogue knows, but another size, is no standard paper either.
    s.PaperName = QStringLiteral("A4");
    s.PaperWidth = 200;
    EXPECT_EQ(KxStockPaperIndex(s), UserPaperIndex);
}

TEST(KxApplyStock, SetsTheSheetThroughTheSettings) {
    TKxLabel label;
    label.GetFrame()->SetStyle(fsSingle);
    TKxStock s = Custom();
    s.CornerRadius = 1.5;
    KxApplyStock(label, s);
    const TKxMeasure& m = *label.GetMeasure();
    EXPECT_FLOAT_EQ(m.GetWidth(), 63.5f);
    EXPECT_FLOAT_EQ(m.GetHeight(), 38.1f);
    EXPECT_FLOAT_EQ(m.GetDiHor(), 2.5f);
    EXPECT_FLOAT_EQ(m.GetDiVer(), 0.f);
    EXPECT_EQ(m.GetNuVer(), 3);
    EXPECT_EQ(m.GetNuHor(), 7);
    EXPECT_EQ(m.GetLabelType(), ltRect);
    EXPECT_EQ(m.GetPaperName(), QStringLiteral("A4"));
    EXPECT_FLOAT_EQ(m.GetPaperWidth(), 210.f);
    EXPECT_FLOAT_EQ(label.GetFrame()->GetRadio(), 3.f);
    EXPECT_EQ(label.GetFrame()->GetStyle(), fsSingle);
    EXPECT_EQ(label.GetPrintInfo()->GetPaperSize(), 9);
    EXPECT_EQ(label.GetStockMaker(), QStringLiteral("Acme"));
    EXPECT_EQ(label.GetStockPart(), QStringLiteral("R-40"));
}

TEST(KxApplyStock, AStockThatDoesNotSayHowRoundItsCornersAreLeavesTheFramesRounding) {
    TKxLabel label;
    label.GetFrame()->SetRadio(4);
    TKxStock s = Custom();
    s.CornerRadius.reset();
    KxApplyStock(label, s);
    EXPECT_FLOAT_EQ(label.GetFrame()->GetRadio(), 4.f);
    s.CornerRadius = 0;
    KxApplyStock(label, s);
    EXPECT_FLOAT_EQ(label.GetFrame()->GetRadio(), 0.f);
}

TEST(KxApplyStock, ARoundStockMakesACircleWithItsHole) {
    TKxLabel label;
    TKxStock s = Custom();
    s.Shape = TKxStockShape::Round;
    s.Width = s.Height = 117;
    s.HoleRadius = 20.5;
    s.Columns = 1;
    s.Rows = 2;
    s.PitchY = 140;
    KxApplyStock(label, s);
    const TKxMeasure& m = *label.GetMeasure();
    EXPECT_EQ(m.GetLabelType(), ltCircle);
    EXPECT_EQ(m.WidthLU(), 1170);
    EXPECT_EQ(m.HeightLU(), 1170);
    EXPECT_EQ(m.InnerCircleLU(), 205);
    EXPECT_EQ(m.DiVerLU(), 230);
    // Back to a rectangle: the hole goes.
    KxApplyStock(label, Stock("Avery", "L7160"));
    EXPECT_EQ(m.GetLabelType(), ltRect);
    EXPECT_EQ(m.InnerCircleLU(), 0);
    EXPECT_EQ(m.HeightLU(), 381);
}

TEST(KxApplyStock, InchesGiveTheSameLabelUnits) {
    for (const char* part : {"5160", "5162", "5195", "L7651"}) {
        TKxLabel mm;
        TKxLabel inch;
        inch.SetUnits(unINCH);
        KxApplyStock(mm, Stock("Avery", part));
        KxApplyStock(inch, Stock("Avery", part));
        inch.SetUnits(unMM);
        EXPECT_EQ(Bytes(inch), Bytes(mm)) << part;
    }
}

TEST(KxApplyStock, AnOtherPaperBecomesTheUserPaperWithTheStocksSize) {
    TKxLabel label;
    TKxStock s = Custom();
    s.PaperName = QStringLiteral("Other");
    s.PaperWidth = 100;
    s.PaperHeight = 300;
    s.Columns = 1;
    KxApplyStock(label, s);
    EXPECT_EQ(label.GetMeasure()->GetPaperName(), Papers()[UserPaperIndex].Name);
    EXPECT_EQ(label.GetMeasure()->PaperWidthLU(), 1000);
    EXPECT_EQ(label.GetMeasure()->PaperHeightLU(), 3000);
    EXPECT_EQ(label.GetPrintInfo()->GetPaperSize(), 256);
    EXPECT_EQ(label.GetPrintInfo()->GetOrientation(), 0);
}

TEST(KxApplyStock, TheFirstCellOfARunMovesBackOntoTheSheet) {
    TKxLabel label;
    label.GetPrintInfo()->SetFirstCol(3);
    label.GetPrintInfo()->SetFirstRow(7);
    KxApplyStock(label, Stock("Avery", "L7169"));
    EXPECT_EQ(label.GetPrintInfo()->GetFirstCol(), 2);
    EXPECT_EQ(label.GetPrintInfo()->GetFirstRow(), 2);
}

TEST(KxApplyStock, AStockThatCannotBeDrawnIsRefusedAndChangesNothing) {
    TKxLabel label;
    const QByteArray before = Bytes(label);
    TKxStock s = Custom();
    s.Shape = TKxStockShape::Ellipse;
    try {
        KxApplyStock(label, s);
        FAIL();
    } catch (const EKxError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Acme R-40"))) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("elliptic"))) << e.Message().toStdString();
    }
    EXPECT_EQ(Bytes(label), before);
}

TEST(KxApplyStock, TheCellWalkFindsTheFirstAndLastLabelOfEveryBuiltInStockWhereTheStockHasThem) {
    ASSERT_GE(BuiltIn().Stocks().size(), 60U);
    const auto tenths = [](double V) { return std::abs(V * 10 - std::round(V * 10)) < 1e-6; };
    int exact = 0;
    double worst = 0;
    for (const TKxStock& s : BuiltIn().Stocks()) {
        const TFit fit = Fit(s);
        worst = std::max(worst, fit.Off);
        EXPECT_LE(fit.Off, fit.Bound) << s.Name().toStdString();
        // Sheets whose numbers are whole tenths of a millimetre fit exactly.
        if (tenths(s.Left) && tenths(s.Top) && tenths(s.PitchX) && tenths(s.PitchY)) {
            EXPECT_LE(fit.Off, 0.01) << s.Name().toStdString();
            ++exact;
        }
    }
    EXPECT_GE(exact, 10);
    std::printf("%zu built-in stocks laid out, %d exactly; the worst first or last cell is %.3f mm off\n",
                BuiltIn().Stocks().size(), exact, worst);
}

TEST(KxApplyStock, EveryUsableStockOfTheInstalledCatalogueFitsWithinTheBound) {
    QStringList folders;
    for (const QString& f : TKxStockCatalogue::DefaultFolders())
        if (QDir(f).exists()) folders.append(f);
    if (folders.isEmpty()) GTEST_SKIP() << "the XML stock catalogue is not installed";
    const TKxStockCatalogue xml(folders, false);
    int used = 0;
    int over[3] = {};
    double worst = 0;
    QString worstName;
    for (const TKxStock& s : xml.Stocks()) {
        if (!s.Available()) continue;
        ++used;
        const TFit fit = Fit(s);
        EXPECT_LE(fit.Off, fit.Bound) << s.Name().toStdString();
        over[0] += fit.Off > 0.01;
        over[1] += fit.Off > 0.1;
        over[2] += fit.Off > 0.2;
        if (fit.Off > worst) worst = fit.Off, worstName = s.Name();
    }
    EXPECT_GT(used, 1500);
    std::printf("%d stocks laid out: %d off by more than 0.01 mm, %d by more than 0.1 mm, %d by more than "
                "0.2 mm; the worst, %s, by %.3f mm\n",
                used, over[0], over[1], over[2], qPrintable(worstName), worst);
}

TEST(KxLabelStock, IsKeptInTheNotesWhichOlderReadersNeverReach) {
    TKxLabel plain;
    KxApplyStock(plain, Stock("Avery", "L7160"));
    plain.SetStock({}, {});
    const QByteArray without = Bytes(plain);
    TKxLabel label;
    KxApplyStock(label, Stock("Avery", "L7160"));
    const QByteArray with = Bytes(label);
    // What an older reader reads is the same label; the stock follows the element list.
    ASSERT_GT(with.size(), without.size());
    EXPECT_EQ(with.left(without.size()), without);
    EXPECT_EQ(with.mid(without.size(), 4), QByteArray("KXN1"));
    EXPECT_FALSE(without.contains("KXN1"));

    TKxLabel read;
    Load(read, with);
    EXPECT_EQ(read.GetStockMaker(), QStringLiteral("Avery"));
    EXPECT_EQ(read.GetStockPart(), QStringLiteral("L7160"));
    EXPECT_EQ(Bytes(read), with);
    // A file without a stock takes it away.
    Load(read, without);
    EXPECT_TRUE(read.GetStockPart().isEmpty());
    EXPECT_EQ(Bytes(read), without);
}

TEST(KxLabelStock, ALabelThatNeverUsedAStockSavesAsBefore) {
    TKxLabel label;
    const QByteArray before = Bytes(label);
    EXPECT_FALSE(before.contains("KXN1"));
    label.SetStock(QStringLiteral("Avery"), QStringLiteral("L7160"));
    label.SetStock({}, {});
    EXPECT_EQ(Bytes(label), before);
}

TEST(KxLabelStock, AnUndoRecordBringsTheStockBack) {
    TKxLabel label;
    KxApplyStock(label, Stock("Avery", "L7163"));
    const QByteArray record = Bytes(label);
    KxApplyStock(label, Stock("Zweckform", "3475"));
    label.RestoreRecord(record);
    EXPECT_EQ(label.GetStockMaker(), QStringLiteral("Avery"));
    EXPECT_EQ(label.GetStockPart(), QStringLiteral("L7163"));
    EXPECT_EQ(label.GetMeasure()->WidthLU(), 991);
}

} // namespace
