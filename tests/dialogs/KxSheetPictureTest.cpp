#include <gtest/gtest.h>

#include "dialogs/KxSheetPicture.h"
#include "label/KxMeasure.h"
#include "label/LabelCell.h"

// The sheet picture as numbers: its size for the sheet's aspect, the cells it maps and the first
// label a click picks.

namespace {

struct TSizeCase {
    float PaperWidth;
    float PaperHeight;
    int Orientation;
    QSize Picture;
};

class KxSheetPictureSize : public ::testing::TestWithParam<TSizeCase> {};

/// The default label layout on a paper of the given size in millimetres.
struct TSheet {
    TKxMeasure M;
    TSheet(float PaperWidth, float PaperHeight) {
        M.SetPaperWidth(PaperWidth);
        M.SetPaperHeight(PaperHeight);
    }
};

} // namespace

TEST_P(KxSheetPictureSize, FollowsTheOrientedSheetsRatio) {
    const TSizeCase& c = GetParam();
    TSheet s(c.PaperWidth, c.PaperHeight);
    TKxMeasure& m = s.M;
    EXPECT_EQ(TKxSheetPicture(m, c.Orientation).Size(), c.Picture);
}

INSTANTIATE_TEST_SUITE_P(Cases, KxSheetPictureSize,
                         ::testing::Values(TSizeCase{210, 297, 0, {192, 272}}, // A4 portrait: ratio 0.707
                                           TSizeCase{210, 297, 1, {192, 136}}, // A4 landscape: 1.414
                                           TSizeCase{100, 200, 0, {138, 276}}, // ratio 0.5
                                           TSizeCase{200, 100, 1, {138, 276}},
                                           TSizeCase{139, 200, 0, {192, 276}}, // ratio 0.695 is tall
                                           TSizeCase{0, 297, 0, {0, 0}},       // no width
                                           TSizeCase{210, -5, 1, {0, 0}},      // negative height
                                           TSizeCase{0, 0, 0, {0, 0}}));

TEST(KxSheetPicture, CellsAreTheCellsOfAPrintRunScaledToThePicture) {
    TSheet s(210, 297);
    const TKxMeasure& m = s.M;
    const TKxSheetPicture p(m, 0);
    // 192 pixels for 2100 label units across, 272 for 2970 down.
    for (const auto& [col, row] : {std::pair{1, 1}, {3, 2}, {2, 7}}) {
        const TRect cell = LabelCellRect(m, col, row);
        const QRect r = p.CellRect(col, row);
        EXPECT_EQ(r.left(), qRound(cell.Left * 192.0 / 2100)) << col << "," << row;
        EXPECT_EQ(r.top(), qRound(cell.Top * 272.0 / 2970));
        EXPECT_EQ(r.left() + r.width(), qRound(cell.Right * 192.0 / 2100));
        EXPECT_EQ(r.top() + r.height(), qRound(cell.Bottom * 272.0 / 2970));
    }
}

TEST(KxSheetPicture, OnlyCellsThatBeginOnTheSheetAreVisible) {
    TSheet s(210, 297);
    TKxMeasure& m = s.M;
    EXPECT_EQ(TKxSheetPicture(m, 0).VisibleCells(), QSize(3, 7));
    // A file may hold any count: a million rows of 35 mm still leave eight that start on the paper.
    m.SetNuHor(1000000);
    m.SetNuVer(1000000);
    EXPECT_EQ(TKxSheetPicture(m, 0).VisibleCells(), QSize(4, 8));
}

namespace {

struct TClickCase {
    const char* What;
    int X;
    int Y;
    QPoint First;
};

class KxSheetPictureClick : public ::testing::TestWithParam<TClickCase> {};

} // namespace

TEST_P(KxSheetPictureClick, PicksTheCellUnderThePointerWithinTheSheet) {
    // Default sheet, A4 portrait: 3 columns of 60 mm, 4 mm apart, from 5 mm; 7 rows of 35 mm from 10 mm.
    TSheet s(210, 297);
    TKxMeasure& m = s.M;
    const TKxSheetPicture p(m, 0);
    const TClickCase& c = GetParam();
    EXPECT_EQ(p.FirstCellAt({c.X, c.Y}, {9, 9}), c.First) << c.What;
}

INSTANTIATE_TEST_SUITE_P(Cases, KxSheetPictureClick,
                         ::testing::Values(TClickCase{"middle of the second column", 88, 20, {2, 1}},
                                           TClickCase{"right of the last column", 191, 20, {3, 1}},
                                           TClickCase{"left of the margin", 0, 0, {1, 1}},
                                           TClickCase{"below the last row", 60, 271, {1, 7}},
                                           TClickCase{"third column, fourth row", 150, 130, {3, 4}}));

TEST(KxSheetPicture, APitchOfNoPixelLeavesTheFirstLabelAlone) {
    // A sheet a thousand metres wide maps a 64 mm pitch to no pixel.
    TSheet s(1000000, 297);
    TKxMeasure& m = s.M;
    EXPECT_EQ(TKxSheetPicture(m, 0).FirstCellAt({10, 10}, {2, 5}), QPoint(2, 5));
}
