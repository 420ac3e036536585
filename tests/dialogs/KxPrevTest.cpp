#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>

#include "base/Messages.h"
#include "common/DBTestDatabase.h"
#include "common/PixelProbe.h"
#include "controls/SpinEditFloat.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/KxPrev.h"
#include "dialogs/KxPrevGeometry.h"
#include "dialogs/KxPrevSave.h"
#include "elements/KxImage.h"
#include "elements/KxLine.h"
#include "elements/KxRect.h"
#include "gdi/Canvas.h"
#include "gdi/PainterDevice.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/LabelCell.h"
#include "metafile/Metafile.h"
#include "print/Printer.h"
#include "types/KxStrings.h"

namespace {

// An A4 page's natural size: 21000 and 29700 hundredths of a millimetre x 96 / 2540. Below the
// 30-pixel tool bar of the 426 x 502 window the scroll box is 426 x 472.
constexpr int A4W = 794, A4H = 1123;
const TColor ShapeColours[] = {clRed, clBlue, clGreen};

// On the default sheet (A4, 7 rows of 3 cells) one shape of each colour. Record(Pages) previews a run
// of that many sheets, the last with one label; Open shows a window on the pages without a modal loop.
struct TPreviewLab : TDialogLab {
    std::unique_ptr<TKxPrw> Prw;
    /// Labels that runs have drawn.
    int Drawn = 0;
    TPreviewLab() {
        Lab.OnPrintProgress = [this](int64_t, int64_t) { ++Drawn; };
        Add<TKxRect>({20, 20}, {220, 120}, clRed);
        Add<TKxRect>({300, 40}, {500, 240}, clBlue)->Circle = true;
        Add<TKxLine>({40, 200}, {260, 300}, clGreen)->SetPenWidth(1.0f);
    }
    template <class E>
    E* Add(TPoint P1, TPoint P2, TColor Colour) {
        auto e = std::make_unique<E>(Lab.Label());
        E* raw = e.get();
        e->P1 = P1;
        e->P2 = P2;
        e->Color = e->LineColor = e->BackColor = Colour;
        e->Transparent = false;
        Lab.AddElement(std::move(e));
        return raw;
    }
    static int LabelsFor(int Pages) { return 21 * (Pages - 1) + 1; }
    void Record(int Pages) {
        Lab.GetPrintInfo()->SetLabs(LabelsFor(Pages));
        WhenModal("TKxPrw", [](QWidget&) {});
        Lab.Preview();
    }
    TKxPrw& Open(int Pages) {
        if (Pages > 0) Record(Pages);
        Prw = std::make_unique<TKxPrw>();
        Prw->SetLab(&Lab);
        Prw->Ini();
        Prw->resize(426, 502);
        Prw->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Prw.get()));
        return *Prw;
    }
    template <class T = QWidget>
    T* Find(const char* Name) {
        return Prw->findChild<T*>(QString::fromLatin1(Name));
    }
    QRect Paper() { return Find("pnPaper")->geometry(); }
    void Click(const char* Button) { QTest::mouseClick(Find<QAbstractButton>(Button), Qt::LeftButton); }
};

// A full sheet drawn by the label straight onto an image, mapped as a preview page is; the stored
// margins are 0 until a printer records them.
QImage DirectSheet(TKxLab& Lab) {
    TKxLabel& label = *Lab.Label();
    const TKxMeasure& m = *label.GetMeasure();
    const int32_t pw = m.PaperWidthLU() * 10, ph = m.PaperHeightLU() * 10;
    QImage image(qRound(pw * 96.0 / 2540), qRound(ph * 96.0 / 2540), QImage::Format_RGB32);
    image.fill(Qt::white);
    TPainterDevice device(&image);
    TCanvas canvas(&device);
    if (!device.Begin()) return {};
    canvas.SetMapMode(MM_ISOTROPIC);
    canvas.SetWindowExtEx(pw, ph);
    canvas.SetViewportExtEx(qRound(pw * 0.378), qRound(ph * 0.378));
    const TKxDrawContext context{&canvas, tdPreview};
    for (int row = 1; row <= m.GetNuHor(); ++row)
        for (int col = 1; col <= m.GetNuVer(); ++col) {
            const TPoint at = LabelCellOrigin(m, col, row);
            label.DrawBackSurf(at.X, at.Y, context);
            label.DrawElements(at, context);
            label.DrawFrame(at.X, at.Y, context);
        }
    return image;
}

// Each shape's box in each cell within Slack pixels in both images.
::testing::AssertionResult SameShapes(const QImage& Expected, const QImage& Actual, int Slack) {
    // Cells of 60 x 35 mm from (5 mm, 10 mm), 4 mm apart.
    const double px = 96.0 / 25.4;
    int shapes = 0;
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 3; ++col)
            for (const TColor colour : ShapeColours) {
                const QRect cell(qRound((5 + col * 64) * px), qRound((10 + row * 39) * px), qRound(60 * px),
                                 qRound(35 * px));
                const QRect want = NearColourBox(Expected.copy(cell), colour);
                const QRect got = NearColourBox(Actual.copy(cell), colour);
                shapes += !want.isEmpty();
                if (!NearBox(want, got, Slack))
                    return ::testing::AssertionFailure()
                           << "cell " << row + 1 << ", " << col + 1 << ", colour " << colour << " at "
                           << got.x() << ", " << got.y();
            }
    return shapes > 0 ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "no shape";
}

using TAct = std::function<void(TPreviewLab&)>;

TAct Click(const char* Button) {
    return [=](TPreviewLab& S) { S.Click(Button); };
}

TAct Key(QKeyCombination Keys) {
    return [=](TPreviewLab& S) {
        S.Prw->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(S.Prw.get()));
        QTest::keyClick(S.Prw.get(), Keys.key(), Keys.keyboardModifiers());
    };
}

TAct Zoom(int Z) {
    return [=](TPreviewLab& S) { S.Prw->SetZoom(Z); };
}

// Each format names itself in its first bytes.
bool LooksLike(const QString& Path, TMetafileFormat Format) {
    QFile f(Path);
    const QByteArray start = f.open(QIODevice::ReadOnly) ? f.read(64) : QByteArray();
    const char* const magic[] = {" EMF", "BM", "\x89PNG", "<?xml", "%PDF"};
    return start.indexOf(magic[static_cast<int>(Format)]) == (Format == TMetafileFormat::Emf ? 40 : 0);
}

// Binds S's label to a table of two records; runs past them repeat the last.
void BindItems(TPreviewLab& S, TTestDatabase& Db) {
    Db.Exec(QStringLiteral("CREATE TABLE items (id INTEGER PRIMARY KEY)"));
    Db.Insert(QStringLiteral("items"), {QStringLiteral("id")}, {{1}, {2}});
    S.Lab.GetTable()->SetDatabaseName(Db.Alias());
    S.Lab.GetTable()->SetTableName(QStringLiteral("items"));
    S.Lab.SetDaBa(true);
}

std::vector<QByteArray> PagesAsEmf(const TKxLab& Lab) {
    std::vector<QByteArray> pages;
    for (int64_t n = 1; n <= Lab.GetTotalPages(); ++n)
        pages.push_back(Lab.GetPages(n)->SaveToEmf());
    return pages;
}

} // namespace

TEST(KxPrevGeometry, FitRoundsAsMulDivAndZoomStaysWithinItsRangeAndWhatAWidgetTakes) {
    // MulDiv(3, 3, 2) = 4.5 -> 5: (100 - 5) div 2 = 47 off each side, no room left for a panel.
    EXPECT_EQ(KxFitPaper(100, 3, 3, 2), QRect(51, 4, 0, 0));
    EXPECT_EQ(KxFitPaper(300, 800, A4W, A4H), QRect(4, 192, 286, 410));
    EXPECT_EQ(KxZoomPaper(400, 50000000, 1000, 426, 472), QRect(0, 0, QWIDGETSIZE_MAX, 3984));
    EXPECT_EQ(KxZoomPaper(20, 10, 10, 426, 472), QRect(212, 235, 0, 0));
    for (const auto& [z, limited] : {std::pair{19, 20}, {INT_MIN, 20}, {100, 100}, {INT_MAX, 400}})
        EXPECT_EQ(KxLimitZoom(z), limited) << z;
    EXPECT_EQ(KxWidthZoom(426, 0), 42600);
}

TEST(KxPrevWindow, PreviewShowsItModallyOnThePagesWithItsStringsAndCloseEndsIt) {
    TPreviewLab s;
    s.Lab.GetPrintInfo()->SetLabs(TPreviewLab::LabelsFor(2));
    QPointer<QWidget> shown;
    ASSERT_TRUE(KxLoadLanguage("es"));
    WhenModal<TKxPrw>([&](TKxPrw& W) {
        shown = &W;
        EXPECT_TRUE(W.isModal());
        EXPECT_EQ(W.ShownPage(), s.Lab.GetPages(1));
        EXPECT_EQ(W.windowTitle(), "Vista preliminar");
        KxLoadLanguage("");
        QCoreApplication::processEvents();
        EXPECT_EQ(W.windowTitle(), KxStrEnglish(KxPrintPr));
        auto* close = W.findChild<QAbstractButton*>("BuClose");
        EXPECT_EQ(close->text(), KxStrEnglish(KxClose));
        QTest::mouseClick(close, Qt::LeftButton);
        EXPECT_FALSE(W.isVisible());
    });
    s.Lab.Preview();
    KxLoadLanguage("");
    EXPECT_TRUE(shown.isNull()) << "the window outlives its showing";
    EXPECT_EQ(s.Lab.GetTotalPages(), 2);
}

TEST(KxPrevWindow, EachToolButtonHasItsOwnGlyphInANormalAHotAndADisabledLook) {
    TPreviewLab s;
    s.Open(0);
    QList<QImage> normals;
    for (const char* b : {"PageFirst", "PageAnt", "PageNext", "PageLast", "ShowAll", "ShowWidth", "ZoomMinus",
                          "ZoomPlus", "Print", "Save"}) {
        const QIcon icon = s.Find<QAbstractButton>(b)->icon();
        const QImage normal = icon.pixmap(16, QIcon::Normal).toImage(),
                     hot = icon.pixmap(16, QIcon::Active).toImage();
        EXPECT_FALSE(normal.isNull() || normals.contains(normal)) << b;
        EXPECT_NE(normal, hot) << b;
        EXPECT_NE(icon.pixmap(16, QIcon::Disabled).toImage(), normal) << b;
        normals << normal;
    }
}

TEST(KxPrevWindow, OnePageDisablesTheFourPageButtonsAndCountsOneOfOne) {
    TPreviewLab s;
    s.Open(1);
    for (const char* b : {"PageFirst", "PageAnt", "PageNext", "PageLast"})
        EXPECT_FALSE(s.Find(b)->isEnabled()) << b;
    EXPECT_EQ(s.Find<TAlignEdit>("AlignEdit1")->text(), "1 - 1");
}

TEST(KxPrevWindow, ButtonsAndKeysPageThroughThreeAndEnableWhatLeadsSomewhere) {
    TPreviewLab s;
    s.Open(3);
    const std::tuple<const char*, TAct, int, bool, bool> steps[] = {
        {"shown", [](TPreviewLab&) {}, 1, false, true},
        {"next", Click("PageNext"), 2, true, true},
        {"End", Key(Qt::Key_End), 3, true, false},
        {"Page Down", Key(Qt::Key_PageDown), 3, true, false},
        {"previous", Click("PageAnt"), 2, true, true},
        {"Home", Key(Qt::Key_Home), 1, false, true},
        {"Page Up", Key(Qt::Key_PageUp), 1, false, true},
        {"last", Click("PageLast"), 3, true, false},
        {"first", Click("PageFirst"), 1, false, true},
        {"Page Down", Key(Qt::Key_PageDown), 2, true, true}};
    for (const auto& [what, act, page, back, forth] : steps) {
        act(s);
        EXPECT_EQ(s.Prw->GetPageNum(), page) << what;
        EXPECT_EQ(s.Prw->ShownPage(), s.Lab.GetPages(page)) << what;
        EXPECT_EQ(s.Find<TAlignEdit>("AlignEdit1")->text(), QStringLiteral("%1 - 3").arg(page)) << what;
        EXPECT_EQ(s.Find("PageFirst")->isEnabled() + 2 * s.Find("PageAnt")->isEnabled(), 3 * back) << what;
        EXPECT_EQ(s.Find("PageNext")->isEnabled() + 2 * s.Find("PageLast")->isEnabled(), 3 * forth) << what;
    }
}

TEST(KxPrevWindow, FitPageWidthAndZoomStepsLimitedToTwentyAndFourHundred) {
    TPreviewLab s;
    s.Open(1);
    const std::tuple<const char*, TAct, int, QRect> steps[] = {
        // (426 - MulDiv(472, 794, 1123)) div 2 = 46 off each side, 4 in, less 10 and 4.
        {"shown", [](TPreviewLab&) {}, 100, {50, 4, 320, 458}},
        {"zoom in", Click("ZoomPlus"), 110, {0, 0, 857, 1219}},
        {"Ctrl -", Key(Qt::CTRL | Qt::Key_Minus), 100, {0, 0, 778, 1107}},
        {"Ctrl +", Key(Qt::CTRL | Qt::Key_Plus), 110, {0, 0, 857, 1219}},
        {"Ctrl =", Key(Qt::CTRL | Qt::Key_Equal), 120, {0, 0, 936, 1331}},
        {"whole page", Click("ShowAll"), 100, {50, 4, 320, 458}},
        // 794 x 30 div 100 = 238 and 336, centred in 426 x 472.
        {"30", Zoom(30), 30, {94, 68, 222, 320}},
        {"zoom out", Click("ZoomMinus"), 20, {134, 124, 142, 208}},
        {"zoom out at 20", Click("ZoomMinus"), 20, {134, 124, 142, 208}},
        {"395", Zoom(395), 395, {0, 0, 3120, 4419}},
        {"zoom in", Click("ZoomPlus"), 400, {0, 0, 3160, 4476}},
        {"zoom in at 400", Click("ZoomPlus"), 400, {0, 0, 3160, 4476}},
        {"whole page", Click("ShowAll"), 100, {50, 4, 320, 458}},
        // 426 x 100 div 794 = 53: 420 wide, centred.
        {"page width", Click("ShowWidth"), 53, {3, 0, 404, 579}},
        // (600 - 334) div 2 = 133 off each side.
        {"resize", [](TPreviewLab& S) { S.Prw->resize(600, 502); }, 100, {137, 4, 320, 458}}};
    for (const auto& [what, act, zoom, paper] : steps) {
        act(s);
        EXPECT_EQ(s.Prw->GetZoomValue(), zoom) << what;
        EXPECT_EQ(s.Paper(), paper) << what;
    }
}

TEST(KxPrevWindow, ALargeSheetScrollsFromItsCornerAndScrollBarsComingAreNoResize) {
    TPreviewLab s;
    s.Open(1);
    s.Prw->SetZoom(150);
    QTest::qWait(20);
    QScrollBar* bars[] = {s.Find<QScrollArea>("BackScroll")->horizontalScrollBar(),
                          s.Find<QScrollArea>("BackScroll")->verticalScrollBar()};
    for (QScrollBar* bar : bars) {
        ASSERT_TRUE(bar->isVisible());
        bar->setValue(bar->maximum());
    }
    EXPECT_EQ(s.Prw->GetZoomValue(), 150);
    s.Prw->SetZoom(160);
    EXPECT_EQ(bars[0]->value() + bars[1]->value(), 0);
    EXPECT_EQ(s.Paper(), QRect(0, 0, 1254, 1780));
}

TEST(KxPrevWindow, ThePageIsReplayedAsVectorsAtTheShownSize) {
    TPreviewLab s;
    s.Open(1).SetZoom(300);
    QWidget* paper = s.Find("PreviewPaper");
    const QRect part(0, 0, 500, 400);
    const QImage shown = paper->grab(part).toImage().convertToFormat(QImage::Format_RGB32);
    const TMetafile& page = *s.Lab.GetPages(1);
    const double vectors = DifferingShare(shown, page.Render(paper->width(), paper->height()).copy(part));
    EXPECT_LT(vectors, 0.001);
    EXPECT_GT(DifferingShare(shown, page.Render(A4W, A4H).scaled(paper->size()).copy(part)),
              10 * vectors + 0.002);
}

// Rules of a tenth of a millimetre show on every cell where the screen's pixel is coarser than they are:
// each side of a picture's border, in each of the 21 cells, holds ink, where a replay at the screen's
// own resolution lets the picture, inset by the border's width, cover some.
TEST(KxPrevWindow, HairlinesShowOnEveryCellAtAnyZoom) {
    TPreviewLab s;
    const TKxTempDir dir;
    QImage white(40, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    ASSERT_TRUE(white.save(dir.Path(QStringLiteral("white.png"))));
    TKxImage* picture = s.Add<TKxImage>({37, 163}, {553, 313}, clBlack);
    picture->Border = true;
    picture->AspectRatio = false;
    picture->SetFileImage(dir.Path(QStringLiteral("white.png")));
    // The first of two sheets is full.
    s.Open(2);
    QWidget* paper = s.Find("PreviewPaper");
    // Below 254 dpi a tenth of a millimetre is less than a pixel.
    const double px = paper->width() / 210.0;
    ASSERT_LT(px, 254 / 25.4);
    const auto sidesShown = [px](const QImage& Page) {
        int shown = 0;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 3; ++col) {
                const double x0 = 5 + col * 64, y0 = 10 + row * 39;
                const auto ink = [&](double X1, double Y1, double X2, double Y2) {
                    // A band 1 mm wide along the side, its ends left out.
                    const QRect band = QRectF(QPointF((x0 + X1 - 0.5) * px, (y0 + Y1 - 0.5) * px),
                                              QPointF((x0 + X2 + 0.5) * px, (y0 + Y2 + 0.5) * px))
                                           .toRect();
                    int darkest = 255;
                    for (int y = band.top(); y <= band.bottom(); ++y)
                        for (int x = band.left(); x <= band.right(); ++x)
                            darkest = std::min(darkest, qGray(Page.pixel(x, y)));
                    // A rule far thinner than a pixel shows as a light grey one.
                    return darkest < 245;
                };
                shown += ink(3.7, 20, 3.7, 28) + ink(55.3, 20, 55.3, 28) + ink(10, 16.3, 50, 16.3) +
                         ink(10, 31.3, 50, 31.3);
            }
        return shown;
    };
    const QImage shown = paper->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(sidesShown(shown), 84);
    // Replayed at the screen's own resolution, some sides fall between pixels.
    EXPECT_LT(sidesShown(s.Lab.GetPages(1)->Render(paper->width(), paper->height())), 84);
}

// Paging draws the sheet asked for and no other; zooming and saving draw nothing; the table is closed
// between sheets and the design surface is not repainted.
TEST(KxPrevWindow, PagingDrawsOnlyTheSheetShownAndZoomingAndSavingDrawNothing) {
    TPreviewLab s;
    TTestDatabase db(TTestEngine::SQLite);
    BindItems(s, db);
    // Past the last record the labels repeat it.
    s.Lab.GetPrintInfo()->SetLastLab(TPreviewLab::LabelsFor(3));
    s.Open(3);
    ASSERT_EQ(s.Lab.GetTotalPages(), 3);
    const int paints = s.Lab.Paints;
    const std::vector<std::pair<const char*, int>> steps{{"PageNext", 21}, {"PageLast", 1},  {"PageAnt", 0},
                                                         {"ZoomPlus", 0},  {"ShowWidth", 0}, {"ShowAll", 0}};
    for (const auto& [button, labels] : steps) {
        const int drawn = s.Drawn;
        s.Click(button);
        EXPECT_EQ(s.Drawn - drawn, labels) << button;
    }
    const int drawn = s.Drawn;
    s.Prw->resize(500, 400);
    const TKxTempDir dir;
    s.Prw->SavePage(dir.Path(QStringLiteral("sheet.png")));
    QTest::qWait(20);
    EXPECT_EQ(s.Drawn, drawn);
    EXPECT_EQ(s.Lab.Paints, paints);
    EXPECT_FALSE(s.Lab.GetTable()->Active());
}

// A run far longer than memory would hold opens on its first sheet with the exact count; its last sheet
// is shown and saved; a sheet that cannot be drawn is reported when it is shown.
TEST(KxPrevWindow, ALongRunPagesToItsEndAndASheetThatFailsIsReportedWhenShown) {
    TPreviewLab s;
    s.Open(50000);
    EXPECT_EQ(s.Find<TAlignEdit>("AlignEdit1")->text(), "1 - 50000");
    s.Click("PageLast");
    const TAlignEdit& counter = *s.Find<TAlignEdit>("AlignEdit1");
    EXPECT_EQ(counter.text(), "50000 - 50000");
    EXPECT_GT(counter.width(), counter.fontMetrics().horizontalAdvance(counter.text())) << "no digit cut off";
    EXPECT_GE(s.Find("PageNext")->x(), counter.geometry().right());
    // A picture of the last sheet for whoever names a folder in KXLAB_SCREENSHOTS.
    if (const QString folder = qEnvironmentVariable("KXLAB_SCREENSHOTS"); !folder.isEmpty()) {
        QDir().mkpath(folder);
        s.Prw->grab().save(folder + QStringLiteral("/preview-last-of-50000.png"));
    }
    const TKxTempDir dir;
    s.Prw->SavePage(dir.Path(QStringLiteral("last.emf")));
    EXPECT_TRUE(LooksLike(dir.Path(QStringLiteral("last.emf")), TMetafileFormat::Emf));

    TTestDatabase db(TTestEngine::SQLite);
    BindItems(s, db);
    s.Lab.GetPrintInfo()->SetLastLab(TPreviewLab::LabelsFor(3));
    s.Open(3);
    db.Exec(QStringLiteral("DROP TABLE items"));
    const TMessageCapture messages;
    s.Click("PageLast");
    EXPECT_FALSE(messages.Messages.isEmpty());
    EXPECT_EQ(s.Prw->ShownPage(), nullptr);
    EXPECT_TRUE(s.Prw->isVisible());
    s.Click("PageFirst");
    EXPECT_NE(s.Prw->ShownPage(), nullptr);
}

TEST(KxPrevWindow, PrintIsANewJobOfTheRunAsItStandsAnErrorIsReportedAndThePagesStay) {
    TPreviewLab s;
    const TKxTempDir dir;
    const QString old = Printer().OutputFileName();
    s.Open(3);
    const std::vector<QByteArray> pages = PagesAsEmf(s.Lab);
    s.Lab.GetPrintInfo()->SetLabs(TPreviewLab::LabelsFor(2));
    TMessageCapture messages;
    for (const QString& pdf :
         {dir.Path(QStringLiteral("missing/run.pdf")), dir.Path(QStringLiteral("run.pdf"))}) {
        Printer().SetOutputFileName(pdf);
        const int drawn = s.Drawn;
        s.Click("Print");
        EXPECT_EQ(s.Drawn - drawn, QFile::exists(pdf) ? TPreviewLab::LabelsFor(2) : 0) << "every label anew";
        EXPECT_TRUE(s.Prw->isVisible());
        EXPECT_EQ(PagesAsEmf(s.Lab), pages);
    }
    Printer().SetOutputFileName(old);
    EXPECT_EQ(messages.Messages.size(), 1);
    QFile pdf(dir.Path(QStringLiteral("run.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        QString::fromLatin1(pdf.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))),
        2);
}

TEST(KxPrevWindow, WithoutPagesThereIsNothingToBrowseZoomOrSave) {
    TPreviewLab s;
    s.Open(0).SetZoom(200);
    EXPECT_EQ(s.Find<TAlignEdit>("AlignEdit1")->text(), "0 - 0");
    for (const char* b : {"PageFirst", "PageAnt", "PageNext", "PageLast", "ShowAll", "ZoomPlus", "Save"})
        EXPECT_FALSE(s.Find(b)->isEnabled()) << b;
    EXPECT_EQ(s.Prw->GetZoomValue(), 100);
}

TEST(KxPrevSaved, TheExtensionInAnyCaseElseTheFiltersDecidesAndAFailureIsReportedLeavingNoFile) {
    TPreviewLab s;
    s.Open(2);
    // Name, filter chosen, the file written (none: one message instead), its format.
    const std::tuple<const char*, int, const char*, TMetafileFormat> cases[] = {
        {"sheet.emf", 1, "sheet.emf", TMetafileFormat::Emf},
        {"sheet.BMP", 0, "sheet.BMP", TMetafileFormat::Bmp},
        {"sheet", 1, "sheet.bmp", TMetafileFormat::Bmp},
        {"sheet.", 3, "sheet.png", TMetafileFormat::Png},
        {"sheet.Pdf", 0, "sheet.Pdf", TMetafileFormat::Pdf},
        {"sheet", 4, "sheet.svg", TMetafileFormat::Svg},
        {"sheet.xyz", 0, "", TMetafileFormat::Emf},
        {"sheet.emf.txt", 0, "", TMetafileFormat::Emf},
        {"missing/sheet.bmp", 0, "", TMetafileFormat::Bmp}};
    for (const auto& [name, filter, written, format] : cases) {
        const TKxTempDir dir;
        TMessageCapture messages;
        s.Prw->SavePage(dir.Path(name), filter);
        const QStringList files = QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(files, *written ? QStringList(written) : QStringList()) << name;
        EXPECT_EQ(messages.Messages.size(), *written ? 0 : 1) << name;
        EXPECT_TRUE(!*written || LooksLike(dir.Path(written), format)) << name;
    }
}

TEST(KxPrevSaved, BitmapsAre300DpiAndTheMetafileReadsBackAsTheSheetDrawnStraight) {
    TPreviewLab s;
    // The first of two sheets is full.
    s.Open(2);
    const QImage direct = DirectSheet(s.Lab);
    const TKxTempDir dir;
    for (const char* name : {"sheet.bmp", "sheet.png"}) {
        s.Prw->SavePage(dir.Path(name));
        const QImage saved = QImage(dir.Path(name)).convertToFormat(QImage::Format_RGB32);
        // A4 at 300 dpi, its resolution recorded.
        ASSERT_EQ(saved.size(), QSize(2480, 3508)) << name;
        EXPECT_NEAR(saved.dotsPerMeterX() * 0.0254, 300, 0.5) << name;
        // Edges round differently at a finer resolution.
        EXPECT_TRUE(
            SameShapes(direct, saved.scaled(A4W, A4H, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), 2))
            << name;
    }
    const QString inkscape = QStandardPaths::findExecutable(QStringLiteral("inkscape"));
    if (inkscape.isEmpty()) GTEST_SKIP() << "inkscape reads the metafile back";
    s.Prw->SavePage(dir.Path(QStringLiteral("sheet.emf")));
    QProcess p;
    p.start(inkscape,
            {dir.Path(QStringLiteral("sheet.emf")), "--export-type=png",
             "--export-filename=" + dir.Path("back.png"), QStringLiteral("--export-width=%1").arg(A4W),
             "--export-background=white", "--export-background-opacity=1"});
    ASSERT_TRUE(p.waitForFinished(120000));
    const QImage back = QImage(dir.Path(QStringLiteral("back.png"))).convertToFormat(QImage::Format_RGB32);
    EXPECT_NEAR(back.height(), A4H, 1);
    EXPECT_TRUE(SameShapes(direct, back.copy(0, 0, A4W, A4H), 2));
}

TEST(KxPrevSaved, TheSaveDialogListsTheFormatsAndANameTakesTheChosenFiltersExtension) {
    TPreviewLab s;
    s.Open(1);
    const TKxTempDir dir;
    QStringList offered;
    WhenModal("QFileDialog", [&](QWidget& D) {
        auto& dialog = static_cast<QFileDialog&>(D);
        offered = dialog.nameFilters();
        dialog.selectNameFilter(offered.value(1));
        dialog.selectFile(dir.Path(QStringLiteral("sheet")));
        // QFileDialog hides its own accept.
        static_cast<QDialog&>(dialog).accept();
    });
    s.Click("Save");
    EXPECT_EQ(offered, KxSaveFilters());
    EXPECT_TRUE(LooksLike(dir.Path(QStringLiteral("sheet.bmp")), TMetafileFormat::Bmp));
}
