#include <algorithm>
#include <gtest/gtest.h>
#include <QProcess>
#include <QStandardPaths>

#include "common/TestOwner.h"
#include "common/TestSupport.h"
#include "elements/KxBarCode.h"
#include "elements/KxBarcodeGeometry.h"
#include "gdi/Bitmap.h"

// Every symbol is drawn through the print mapping onto a 300 dpi bitmap, saved as PNG and read back
// by a real scanner program: the decoded text must be exactly the code that was drawn.

namespace {

constexpr int Dpi = 300;

// Deterministic digits: a linear congruential sequence, so a failure names a code that reproduces.
class TDigits {
public:
    explicit TDigits(uint32_t seed)
        : FState(seed) {}
    int Next() {
        FState = FState * 1664525u + 1013904223u;
        return static_cast<int>((FState >> 16) % 10);
    }

private:
    uint32_t FState;
};

// The standard check digit: weights 3 and 1 from the right, over the digits before it.
QString WithCheckDigit(const QString& body) {
    int sum = 0;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const int weight = (body.size() - i) % 2 == 1 ? 3 : 1;
        sum += (body[i].unicode() - u'0') * weight;
    }
    return body + QChar(u'0' + (10 - sum % 10) % 10);
}

// Twenty codes of a digit symbology; EAN-13 cycles its leading digit through every number-set choice.
QStringList DigitCodes(TKxBar type) {
    const int length = type == baEAN13 ? 13 : type == baEAN8 ? 8 : 12;
    TDigits digits(static_cast<uint32_t>(type) * 7919u + 17u);
    QStringList codes;
    for (int n = 0; n < 20; ++n) {
        QString body;
        body += QChar(u'0' + (type == baEAN13 ? n % 10 : digits.Next()));
        while (body.size() < length - 1)
            body += QChar(u'0' + digits.Next());
        codes << WithCheckDigit(body);
    }
    return codes;
}

// Every character of the alphabet except the '*' that frames each symbol, spaces kept inside.
QStringList Code39Codes() {
    return {"012345", "6789AB", "CDEFGH", "IJKLMN", "OPQRST", "UVWXYZ", "-. $/+%", "KX LAB-39", "A", "$1.50"};
}

QStringList CodesOf(TKxBar type) {
    return type == baCode39 ? Code39Codes() : DigitCodes(type);
}

QString Decode(const QString& png, TKxBar type) {
    QStringList args{"--nodbus", "--quiet", "--raw"};
    if (type == baUPCA)
        args << "-Sean13.enable"
             << "-Supca.enable";
    args << png;
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), args);
    if (!zbar.waitForFinished(30000)) return QStringLiteral("<zbarimg did not finish>");
    return QString::fromUtf8(zbar.readAllStandardOutput());
}

struct TScanCase {
    TKxBar Type;
    int32_t Angle;
};

class KxBarCodeScan : public ::testing::TestWithParam<TScanCase> {};

TEST_P(KxBarCodeScan, ScannerReadsExactlyTheDrawnCode) {
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
        << "zbarimg is missing: run scripts/setup.sh";
    TKxTempDir dir;
    TTestOwner owner;
    TKxBarCode bar(&owner);
    bar.BarType = GetParam().Type;
    bar.Angle = GetParam().Angle;
    const QStringList codes = CodesOf(bar.BarType);
    ASSERT_GE(codes.size(), 10);
    for (const QString& code : codes) {
        SCOPED_TRACE(code.toStdString());
        bar.Code = code;
        ASSERT_TRUE(bar.ValidCode());

        // A square page with the anchor in its middle holds the symbol at any angle, with 10 mm to spare.
        TKxBarcodeShape shape{bar.BarType,    code,          bar.Width,      bar.Height, bar.FontHeight,
                              bar.LeftMargin, bar.TopMargin, bar.ShowNumber, 0};
        const TRect box = BarcodeLayout(shape, {0, 0}).Box;
        const int32_t side = 2 * std::max(box.Width(), box.Height()) + 200;
        const int pixels = side * Dpi / 254;
        TBitmap page(pixels, pixels);
        TCanvas& canvas = page.Canvas();
        canvas.SetMapMode(MM_ISOTROPIC);
        canvas.SetWindowExtEx(side, side);
        canvas.SetViewportExtEx(pixels, pixels);
        owner.DrawAllOn(&canvas);
        bar.P1 = {side / 2, side / 2};
        KxTestDraw(bar, {0, 0}, tdPrint, false);

        const QString png = dir.Path(QStringLiteral("%1.png").arg(code.size()));
        ASSERT_TRUE(page.SaveToFile(png));
        EXPECT_EQ(Decode(png, bar.BarType), code + QLatin1Char('\n'));
    }
}

std::vector<TScanCase> AllCases() {
    std::vector<TScanCase> out;
    for (const TKxBar type : {baEAN13, baEAN8, baUPCA, baCode39})
        for (const int32_t angle : {0, 90, 180, 270})
            out.push_back({type, angle});
    return out;
}

INSTANTIATE_TEST_SUITE_P(EverySymbologyAndAngle, KxBarCodeScan, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<TScanCase>& info) {
                             return KxEnumName(info.param.Type).toStdString() + "_" +
                                    std::to_string(info.param.Angle);
                         });

} // namespace
