#include "types/Kxtypes.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <set>
#include <string>
#include <vector>

#include "common/TestSupport.h"

namespace {

std::string Reversed(std::string s) {
    std::reverse(s.begin(), s.end());
    return s;
}

std::string Complement(std::string s) {
    for (char& c : s)
        c = c == '1' ? '0' : '1';
    return s;
}

int CountOf(const std::string& s, char c) {
    return static_cast<int>(std::count(s.begin(), s.end(), c));
}

int Runs(const std::string& s) {
    int runs = s.empty() ? 0 : 1;
    for (size_t i = 1; i < s.size(); ++i)
        runs += s[i] != s[i - 1];
    return runs;
}

std::string Code39Entry(int k) {
    return std::string(Code39Table + k * Code39Width, Code39Width);
}

std::string Int25Entry(int d) {
    return std::string(Int25Table + d * Int25Width, Int25Width);
}

// Bars (elements 1, 3, 5, 7, 9) and spaces (2, 4, 6, 8) of a Code 39 entry, as 'W'/'N'.
std::string Code39Bars(int k) {
    const std::string e = Code39Entry(k);
    return {e[0], e[2], e[4], e[6], e[8]};
}
std::string Code39Spaces(int k) {
    const std::string e = Code39Entry(k);
    return {e[1], e[3], e[5], e[7]};
}

TEST(KxEanTables, FollowTheNumberSetRules) {
    std::set<std::string> all;
    for (int d = 0; d <= 9; ++d) {
        const std::string a = LEFT_A[d], b = LEFT_B[d], c = RIGHT[d];
        for (const std::string& s : {a, b, c}) {
            ASSERT_EQ(s.size(), 7u) << d;
            EXPECT_EQ(s.find_first_not_of("01"), std::string::npos) << s;
            EXPECT_EQ(Runs(s), 4) << s << ": every digit is two bars and two spaces";
            all.insert(s);
        }
        EXPECT_EQ(CountOf(a, '1') % 2, 1) << "set A has odd parity: " << a;
        EXPECT_EQ(CountOf(b, '1') % 2, 0) << "set B has even parity: " << b;
        EXPECT_EQ(c, Complement(a)) << "set C is the complement of A";
        EXPECT_EQ(b, Reversed(c)) << "set B is C read backwards";
        EXPECT_EQ(a.front(), '0') << "left-hand digits start with a space";
        EXPECT_EQ(c.front(), '1') << "right-hand digits start with a bar";
    }
    EXPECT_EQ(all.size(), 30u) << "no two digits of any set may look alike";
    EXPECT_STREQ(LEFT_A[0], "0001101");
    EXPECT_STREQ(LEFT_B[0], "0100111");
    EXPECT_STREQ(RIGHT[0], "1110010");
}

TEST(KxEanTables, LeadingDigitParitiesAreDistinct) {
    std::set<std::string> seen;
    for (int d = 0; d <= 9; ++d) {
        const std::string p = CodLeft[d];
        ASSERT_EQ(p.size(), 5u);
        EXPECT_EQ(p.find_first_not_of("AB"), std::string::npos) << p;
        // With the 2nd digit always in A, a leading 0 is all A (a UPC-A) and every other leading
        // digit has three A and three B over the six left-hand digits.
        EXPECT_EQ(CountOf(p, 'A') + 1, d == 0 ? 6 : 3) << d << ": " << p;
        seen.insert(p);
    }
    EXPECT_EQ(seen.size(), 10u);
}

TEST(KxCode39Table, HasThreeWideElementsPerCharacter) {
    EXPECT_STREQ(Code39Alphabet, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%");
    std::set<std::string> seen;
    for (int k = 0; k < Code39Count; ++k) {
        const std::string e = Code39Entry(k);
        EXPECT_EQ(e.find_first_not_of("NW"), std::string::npos) << Code39Alphabet[k];
        EXPECT_EQ(CountOf(e, 'W'), 3) << Code39Alphabet[k] << ": " << e;
        // The 40 characters before '$' have two wide bars and one wide space; $ / + % have three
        // wide spaces and no wide bar.
        const bool special = k >= 40;
        EXPECT_EQ(CountOf(Code39Bars(k), 'W'), special ? 0 : 2) << Code39Alphabet[k];
        EXPECT_EQ(CountOf(Code39Spaces(k), 'W'), special ? 3 : 1) << Code39Alphabet[k];
        seen.insert(e);
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(Code39Count));
    EXPECT_EQ(Code39Entry(0), "NNNWWNWNN");
    EXPECT_EQ(Code39Entry(static_cast<int>(std::strchr(Code39Alphabet, '*') - Code39Alphabet)), "NWNNWNWNN");
}

// The standard arranges the first 40 characters in four rows of ten: a row shares its wide space and
// each column (1, A, K, U...; 0, J, T, *) shares its bars.
TEST(KxCode39Table, RowsShareSpacesAndColumnsShareBars) {
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 10; ++col) {
            const int k = row * 10 + col;
            EXPECT_EQ(Code39Spaces(k), Code39Spaces(row * 10)) << Code39Alphabet[k];
            // Digits run 0..9 but the letter rows run 1..9 then 0.
            const int digit = row == 0 ? col : (col + 1) % 10;
            EXPECT_EQ(Code39Bars(k), Code39Bars(digit)) << Code39Alphabet[k] << " vs " << digit;
        }
    }
}

TEST(KxInt25Table, TwoOfFiveAndTheCode39DigitBars) {
    std::set<std::string> seen;
    for (int d = 0; d <= 9; ++d) {
        const std::string e = Int25Entry(d);
        EXPECT_EQ(CountOf(e, '1'), 2) << d << ": " << e;
        EXPECT_EQ(CountOf(e, '0'), 3) << d << ": " << e;
        std::string bars = Code39Bars(d);
        std::replace(bars.begin(), bars.end(), 'W', '1');
        std::replace(bars.begin(), bars.end(), 'N', '0');
        EXPECT_EQ(e, bars) << "Code 39 digits use the 2 of 5 patterns as their bars";
        seen.insert(e);
    }
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_EQ(Int25Entry(0), "00110");
    EXPECT_EQ(Int25Entry(1), "10001");
}

// A symbol as runs of alternating bar and space widths in pixels, the first run a bar.
using TRuns = std::vector<int>;

// Draws the runs with a quiet zone and asks zbarimg what it reads, so the tables are checked by
// an independent decoder rather than against themselves.
QString Decode(const TRuns& runs, const char* symbology) {
    const QString zbarimg = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (zbarimg.isEmpty()) {
        ADD_FAILURE() << "zbarimg is missing (package zbar-tools)";
        return {};
    }
    const int quiet = 60;
    int width = 2 * quiet;
    for (int w : runs)
        width += w;
    QImage image(width, 120, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    int x = quiet;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (i % 2 == 0) {
            for (int px = x; px < x + runs[i]; ++px)
                for (int y = 20; y < 100; ++y)
                    image.setPixel(px, y, qRgb(0, 0, 0));
        }
        x += runs[i];
    }
    TKxTempDir dir;
    const QString file = dir.Path(QStringLiteral("symbol.png"));
    if (!image.save(file)) {
        ADD_FAILURE() << "cannot write " << file.toStdString();
        return {};
    }
    QProcess zbar;
    zbar.start(zbarimg, {QStringLiteral("--nodbus"), QStringLiteral("--quiet"), QStringLiteral("--raw"),
                         QStringLiteral("-Sdisable"),
                         QStringLiteral("-S%1.enable").arg(QLatin1String(symbology)), file});
    if (!zbar.waitForFinished(60000)) {
        ADD_FAILURE() << "zbarimg did not finish";
        return {};
    }
    return QString::fromLatin1(zbar.readAllStandardOutput()).trimmed();
}

// Module strings ('1' bar, '0' space) to runs of `module` pixels.
TRuns ModuleRuns(const std::string& modules, int module) {
    TRuns runs;
    char last = '0';
    for (char m : modules) {
        if (runs.empty() && m == '0') continue;
        if (m == last && !runs.empty())
            runs.back() += module;
        else
            runs.push_back(module);
        last = m;
    }
    return runs;
}

int Digit(const std::string& code, size_t i) {
    return code[i] - '0';
}

std::string Ean13Modules(const std::string& code) {
    std::string m = "101";
    m += LEFT_A[Digit(code, 1)];
    for (size_t i = 2; i <= 6; ++i)
        m += CodLeft[Digit(code, 0)][i - 2] == 'A' ? LEFT_A[Digit(code, i)] : LEFT_B[Digit(code, i)];
    m += "01010";
    for (size_t i = 7; i <= 12; ++i)
        m += RIGHT[Digit(code, i)];
    return m + "101";
}

std::string WithCheckDigit(const std::string& digits) {
    int sum = 0;
    // Weights 3 and 1 alternate from the rightmost data digit.
    for (size_t i = 0; i < digits.size(); ++i)
        sum += Digit(digits, digits.size() - 1 - i) * (i % 2 == 0 ? 3 : 1);
    return digits + static_cast<char>('0' + (10 - sum % 10) % 10);
}

class KxEan13Decoding : public ::testing::TestWithParam<int> {};

// Every leading digit, carried only by the A/B choice of CodLeft, must come back from the decoder.
TEST_P(KxEan13Decoding, ReadsBackWithItsLeadingDigit) {
    const std::string code = WithCheckDigit(std::to_string(GetParam()) + "84108940010");
    EXPECT_EQ(Decode(ModuleRuns(Ean13Modules(code), 3), "ean13"), QString::fromStdString(code));
}

INSTANTIATE_TEST_SUITE_P(LeadingDigits, KxEan13Decoding, ::testing::Range(0, 10));

TEST(KxEanDecoding, Ean8ReadsBack) {
    const std::string code = WithCheckDigit("9638507");
    std::string m = "101";
    for (size_t i = 0; i < 4; ++i)
        m += LEFT_A[Digit(code, i)];
    m += "01010";
    for (size_t i = 4; i < 8; ++i)
        m += RIGHT[Digit(code, i)];
    m += "101";
    EXPECT_EQ(Decode(ModuleRuns(m, 3), "ean8"), QString::fromStdString(code));
}

TRuns Code39Runs(const std::string& text, int narrow) {
    TRuns runs;
    for (char ch : "*" + text + "*") {
        const int k = static_cast<int>(std::strchr(Code39Alphabet, ch) - Code39Alphabet);
        for (char w : Code39Entry(k))
            runs.push_back(w == 'W' ? 3 * narrow : narrow);
        runs.push_back(narrow); // the gap between characters
    }
    runs.pop_back();
    return runs;
}

class KxCode39Decoding : public ::testing::TestWithParam<const char*> {};

TEST_P(KxCode39Decoding, ReadsBack) {
    EXPECT_EQ(Decode(Code39Runs(GetParam(), 2), "code39"), QString::fromLatin1(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Alphabet, KxCode39Decoding,
                         ::testing::Values("0123456789", "ABCDEFGHIJKLM", "NOPQRSTUVWXYZ", "A-B.C D",
                                           "$/+%"));

TEST(KxInt25Decoding, ReadsBack) {
    const std::string code = "123456";
    const int narrow = 2, wide = 6;
    TRuns runs{narrow, narrow, narrow, narrow}; // start: bar, space, bar, space
    for (size_t i = 0; i < code.size(); i += 2) {
        const std::string bars = Int25Entry(Digit(code, i)), spaces = Int25Entry(Digit(code, i + 1));
        for (int j = 0; j < Int25Width; ++j) {
            runs.push_back(bars[j] == '1' ? wide : narrow);
            runs.push_back(spaces[j] == '1' ? wide : narrow);
        }
    }
    runs.insert(runs.end(), {wide, narrow, narrow}); // stop: wide bar, space, bar
    EXPECT_EQ(Decode(runs, "i25"), QString::fromStdString(code));
}

} // namespace
