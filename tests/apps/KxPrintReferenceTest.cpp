#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <tuple>

#include "AppTestSupport.h"
#include "common/PixelProbe.h"
#include "common/TestSupport.h"

// The first sheet kxprint writes, against renders of that sheet made before the drawing path was
// tuned for speed (tests/data/make_print_references.sh): tuning may change how a page is written,
// never what it shows.
namespace {

// A pixel of the 100 dpi grey render differs when it is more than this many grey levels off; glyph
// and bar edges may move by rounding in the last bits, so a few such pixels are allowed (a changed
// digit or a bar a module off changes hundreds).
constexpr int GreyTolerance = 48;
constexpr double DifferingPixelsAllowed = 0.0002;
// pdftotext gives word boxes to a thousandth of a point; a box may move by rounding only.
constexpr double WordSlackPoints = 0.01;

struct TReferenceJob {
    const char* Name;
    /// The reference files' name in tests/data/print.
    const char* File;
    QStringList (*Args)();
    QStringList (*Codes)();
};

// Names the job in test listings instead of its bytes.
void PrintTo(const TReferenceJob& Job, std::ostream* Out) {
    *Out << Job.Name;
}

QStringList PriceTagArgs() {
    return {Sample(QStringLiteral("price-tag.kxl")),
            "--aliases",
            Sample(QStringLiteral("aliases.ini")),
            "--from",
            "1",
            "--to",
            "21"};
}

QStringList ShowcaseArgs() {
    return {Sample(QStringLiteral("showcase.kxl"))};
}

QStringList PriceTagCodes() {
    return SampleCodes(1, 21);
}

struct TWord {
    double XMin, YMin, XMax, YMax;
    QString Text;
};

// The words of pdftotext -bbox output, in the order it gives them.
std::vector<TWord> PrintedWords(const QString& Pdf) {
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([^"]*)" yMin="([^"]*)" xMax="([^"]*)" yMax="([^"]*)">(.*)</word>)re"));
    std::vector<TWord> words;
    const QString out = Exec(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", Pdf, "-"}).Out;
    for (auto it = word.globalMatch(out); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble(), m.captured(5)});
    }
    return words;
}

// The reference words: one a line, "xMin yMin xMax yMax word".
std::vector<TWord> ReferenceWords(const QString& File) {
    std::vector<TWord> words;
    for (const QByteArray& line : FileBytes(File).split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() < 5) continue;
        words.push_back(
            {f[0].toDouble(), f[1].toDouble(), f[2].toDouble(), f[3].toDouble(),
             QString::fromUtf8(line.mid(f[0].size() + f[1].size() + f[2].size() + f[3].size() + 4))});
    }
    return words;
}

QString Reference(const char* Name, const char* Suffix) {
    return KxTestDataDir() + QStringLiteral("/print/%1%2").arg(QLatin1String(Name), QLatin1String(Suffix));
}

class KxPrintReference : public ::testing::TestWithParam<TReferenceJob> {
protected:
    void SetUp() override {
        FPdf = FDir.Path(QStringLiteral("out.pdf"));
        const TResult r = KxPrint(GetParam().Args() + QStringList{"-q", "-o", FPdf});
        ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    }

    TKxTempDir FDir;
    QString FPdf;
};

TEST_P(KxPrintReference, TheSheetLooksAsBefore) {
    const QString prefix = FDir.Path(QStringLiteral("grey"));
    Exec(QStringLiteral("pdftoppm"),
         {"-r", "100", "-gray", "-png", "-singlefile", "-f", "1", "-l", "1", FPdf, prefix});
    const QImage now(prefix + QStringLiteral(".png"));
    const QImage before(Reference(GetParam().File, ".png"));
    ASSERT_FALSE(before.isNull());
    ASSERT_EQ(now.size(), before.size());
    EXPECT_LE(DifferingShare(now.convertToFormat(QImage::Format_RGB32),
                             before.convertToFormat(QImage::Format_RGB32), GreyTolerance),
              DifferingPixelsAllowed);
}

TEST_P(KxPrintReference, EveryWordStaysWhereItWas) {
    // Compared word by word in the order of the page, not of pdftotext's reading: two words whose
    // tops are equal to a thousandth of a point may be read either way round.
    const auto inPageOrder = [](std::vector<TWord> words) {
        std::sort(words.begin(), words.end(), [](const TWord& a, const TWord& b) {
            return std::tuple(std::lround(a.YMin * 10), std::lround(a.XMin * 10), a.Text) <
                   std::tuple(std::lround(b.YMin * 10), std::lround(b.XMin * 10), b.Text);
        });
        return words;
    };
    const std::vector<TWord> now = inPageOrder(PrintedWords(FPdf));
    const std::vector<TWord> before = inPageOrder(ReferenceWords(Reference(GetParam().File, ".words")));
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(now.size(), before.size());
    for (size_t i = 0; i < now.size(); ++i) {
        SCOPED_TRACE(before[i].Text.toStdString());
        EXPECT_EQ(now[i].Text, before[i].Text);
        EXPECT_NEAR(now[i].XMin, before[i].XMin, WordSlackPoints);
        EXPECT_NEAR(now[i].YMin, before[i].YMin, WordSlackPoints);
        EXPECT_NEAR(now[i].XMax, before[i].XMax, WordSlackPoints);
        EXPECT_NEAR(now[i].YMax, before[i].YMax, WordSlackPoints);
    }
}

TEST_P(KxPrintReference, EveryBarcodeStillScans) {
    EXPECT_EQ(Scan(Rasterise(FPdf, 1, FDir.Path(QStringLiteral("scan")))), GetParam().Codes());
}

INSTANTIATE_TEST_SUITE_P(
    Labels, KxPrintReference,
    ::testing::Values(TReferenceJob{"PriceTag", "price-tag", PriceTagArgs, PriceTagCodes},
                      TReferenceJob{"Showcase", "showcase", ShowcaseArgs, ShowcaseCodes}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
