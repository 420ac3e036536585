#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "base/Messages.h"
#include "common/TestSupport.h"
#include "controls/SpinEditFloat.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/PaintBox.h"
#include "dialogs/PrAddTxt.h"
#include "dialogs/PrCoBar.h"
#include "dialogs/PrIma.h"
#include "dialogs/PrPara.h"
#include "dialogs/PrSym.h"
#include "dialogs/Prtxt.h"
#include "gdi/Bitmap.h"
#include "label/KxMeasure.h"
#include "types/KxStrings.h"

// The rules that belong to one dialog.

namespace {

void Retype(QWidget* Edit, const QString& Text) {
    Edit->setFocus();
    QTest::keyClick(Edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Edit, Qt::Key_Backspace);
    QTest::keyClicks(Edit, Text);
}

} // namespace

class KxElementRules : public ::testing::Test {
protected:
    TDialogLab S;
};

TEST_F(KxElementRules, AnEmptiedTextKeepsTheLastTextButCompoundEndsEmpty) {
    auto* text = dynamic_cast<TKxText*>(S.Add(deText));
    TShownDialog<TPropText, TKxText> t(S.Lab, text);
    Retype(t.Find<QLineEdit>("EdText"), "");
    EXPECT_EQ(text->Text, "Año 2 €");
    QTest::keyClicks(t.Find<QLineEdit>("EdText"), "Nuevo");
    EXPECT_EQ(text->Text, "Nuevo");

    auto* compound = dynamic_cast<TKxAddText*>(S.Add(dePoliText));
    TShownDialog<TProAddText, TKxAddText> c(S.Lab, compound);
    Retype(c.Find<QLineEdit>("EdBefore"), "");
    Retype(c.Find<QLineEdit>("EdAfter"), "");
    Retype(c.Find<QLineEdit>("EdText"), "");
    EXPECT_EQ(compound->Before, "");
    EXPECT_EQ(compound->After, "");
    EXPECT_EQ(compound->Text, "Año 6 €");
}

TEST_F(KxElementRules, AnEmptiedBarcodeKeepsItsCode) {
    auto* bar = dynamic_cast<TKxBarCode*>(S.Add(deBar));
    TShownDialog<TPropCoBar, TKxBarCode> d(S.Lab, bar);
    Retype(d.Find<QLineEdit>("EdNum"), "");
    EXPECT_EQ(bar->Code, "CODE-39");
}

struct TKindCase {
    const char* Item;
    TKxBar Kind;
};

class KxBarcodeKindList : public ::testing::TestWithParam<TKindCase> {};

TEST_P(KxBarcodeKindList, MapsItemsAndKindsBothWays) {
    TDialogLab s;
    auto* bar = dynamic_cast<TKxBarCode*>(s.Add(deBar));
    bar->BarType = GetParam().Kind;
    TShownDialog<TPropCoBar, TKxBarCode> d(s.Lab, bar);
    auto* list = d.Find<QComboBox>("ComBoxType");
    EXPECT_EQ(list->currentText(), GetParam().Item);
    bar->BarType = baEAN13;
    list->setCurrentIndex(list->findText(GetParam().Item) == 0 ? 1 : 0);
    list->setCurrentIndex(list->findText(GetParam().Item));
    EXPECT_EQ(bar->BarType, GetParam().Kind);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KxBarcodeKindList,
                         ::testing::Values(TKindCase{"EAN 13", baEAN13}, TKindCase{"EAN 8", baEAN8},
                                           TKindCase{"UPC A", baUPCA}, TKindCase{"CODE 39", baCode39},
                                           TKindCase{"CODE 128", baCode128}, TKindCase{"GS1-128", baGS1128},
                                           TKindCase{"ITF-14", baITF14}, TKindCase{"UPC E", baUPCE},
                                           TKindCase{"EAN 13 + ADD-ON", baEAN13AddOn},
                                           TKindCase{"UPC A + ADD-ON", baUPCAAddOn}, TKindCase{"QR", baQR},
                                           TKindCase{"DATA MATRIX", baDataMatrix},
                                           TKindCase{"PDF417", baPDF417}, TKindCase{"AZTEC", baAztec}));

TEST_F(KxElementRules, ParagraphFormatButtonsStoreTheirFormatAndIniPressesTheElementsOne) {
    auto* para = dynamic_cast<TKxParagraph*>(S.Add(deParagraph));
    TShownDialog<TPropPara, TKxParagraph> d(S.Lab, para);
    EXPECT_TRUE(d.Find<QToolButton>("SBFormatJustify")->isChecked());
    const std::pair<const char*, TTextFormat> buttons[] = {{"SBFormatLeft", tfLeft},
                                                           {"SBFormatRight", tfRight},
                                                           {"SBFormatCenter", tfCenter},
                                                           {"SBFormatJustify", taJustify}};
    for (const auto& [name, format] : buttons) {
        QTest::mouseClick(d.Find<QToolButton>(name), Qt::LeftButton);
        EXPECT_EQ(para->Format, format) << name;
    }
}

TEST_F(KxElementRules, TheMemoKeepsTheLinesOfTheParagraph) {
    auto* para = dynamic_cast<TKxParagraph*>(S.Add(deParagraph));
    TShownDialog<TPropPara, TKxParagraph> d(S.Lab, para);
    auto* memo = d.Find<QPlainTextEdit>("MemText");
    EXPECT_EQ(memo->toPlainText(), "first line\nsecond line");
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "third");
    EXPECT_EQ(para->Text, "first line\r\nsecond line\r\nthird");
    Retype(memo, "");
    EXPECT_EQ(para->Text, "first line\r\nsecond line\r\nthird");
}

class KxPictureRules : public ::testing::Test {
protected:
    TDialogLab S;
    TKxImage* Image = dynamic_cast<TKxImage*>(S.Add(deImage));
    TKxTempDir Dir;
    QString Picture() {
        const QString path = Dir.Path("dot.bmp");
        QImage(4, 3, QImage::Format_RGB32).save(path);
        return path;
    }
};

TEST_F(KxPictureRules, ThePathIsLoadedWhenEditingEndsNotWhileTyping) {
    TShownDialog<TProIma, TKxImage> d(S.Lab, Image);
    auto* edit = d.Find<QLineEdit>("EditImage");
    TMessageCapture messages;
    TModalWatch watch;
    Retype(edit, Picture());
    EXPECT_TRUE(messages.Messages.isEmpty());
    EXPECT_EQ(Image->FileImage, "no-such-picture.png");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Image->FileImage, Picture());
    EXPECT_TRUE(Image->ImageLoaded);
    EXPECT_TRUE(messages.Messages.isEmpty());
    EXPECT_TRUE(d.Dialog.isVisible()) << "Enter neither closes the dialog";
    EXPECT_EQ(watch.Seen, 0) << "nor opens the file dialog";
}

TEST_F(KxPictureRules, ClosingCommitsAPendingPathAndRepaints) {
    TShownDialog<TProIma, TKxImage> d(S.Lab, Image);
    QTest::keyClicks(d.Find<QLineEdit>("EditImage"), "x");
    const int paints = S.Lab.Paints;
    TMessageCapture messages;
    d.Dialog.close();
    EXPECT_EQ(Image->FileImage, "no-such-picture.pngx");
    EXPECT_EQ(messages.Messages, QStringList{KxStr(KxInvalidFile) + "no-such-picture.pngx"});
    EXPECT_GT(S.Lab.Paints, paints);
}

TEST_F(KxPictureRules, TheFileButtonOffersPicturesAndLoadsTheOneChosen) {
    TShownDialog<TProIma, TKxImage> d(S.Lab, Image);
    const QString path = Picture();
    WhenModal<QFileDialog>([&](QFileDialog& F) {
        // Every format the element reads is offered at once, and each on its own.
        const QString all = F.nameFilters().first();
        for (const char* ext : {"*.png", "*.jpg", "*.jpeg", "*.svg", "*.bmp", "*.ico", "*.emf", "*.wmf"}) {
            EXPECT_TRUE(all.contains(QLatin1String(ext))) << ext;
            EXPECT_EQ(F.nameFilters().filter(QLatin1String(ext)).size(), 2) << ext;
        }
        F.selectFile(path);
        QMetaObject::invokeMethod(&F, "accept");
    });
    QTest::mouseClick(d.Find<QPushButton>("BitBtnImage"), Qt::LeftButton);
    EXPECT_EQ(d.Find<QLineEdit>("EditImage")->text(), path);
    EXPECT_EQ(Image->FileImage, path);
    EXPECT_TRUE(Image->ImageLoaded);
}

TEST_F(KxPictureRules, AutoSizeAndAspectRatioTakeTurns) {
    Image->AutoSize = false;
    TShownDialog<TProIma, TKxImage> d(S.Lab, Image);
    auto* aspect = d.Find<QCheckBox>("CkBoxAspect");
    auto* autoSize = d.Find<QCheckBox>("CkBoxAutoSize");
    EXPECT_TRUE(aspect->isEnabled());
    ClickCheck(autoSize);
    EXPECT_TRUE(Image->AutoSize);
    EXPECT_FALSE(aspect->isEnabled());
    ClickCheck(autoSize);
    EXPECT_FALSE(Image->AutoSize);
    EXPECT_FALSE(autoSize->isEnabled());
    EXPECT_TRUE(aspect->isEnabled());
    ClickCheck(aspect);
    EXPECT_TRUE(Image->AspectRatio);
    EXPECT_FALSE(autoSize->isEnabled());
}

TEST_F(KxPictureRules, IniDisablesAspectRatioUnderAutoSizeAndBoundsTheBoxByTheLabel) {
    TShownDialog<TProIma, TKxImage> d(S.Lab, Image);
    EXPECT_FALSE(d.Find<QCheckBox>("CkBoxAspect")->isEnabled());
    EXPECT_FLOAT_EQ(d.Find<TSpinEditFloat>("SpEdFloatX2")->MaxValue(), S.Lab.GetMeasure()->GetWidth());
    EXPECT_FLOAT_EQ(d.Find<TSpinEditFloat>("SpEdFloatY1")->MaxValue(), S.Lab.GetMeasure()->GetHeight());
}

class KxSymbolGrid : public ::testing::Test {
protected:
    TDialogLab S;
    TKxSymbol* Symbol = dynamic_cast<TKxSymbol*>(S.Add(deSymbol));
};

TEST_F(KxSymbolGrid, IniSelectsTheCellOfTheSymbolAndMarksIt) {
    TShownDialog<TPropSym, TKxSymbol> d(S.Lab, Symbol);
    // 0x41 is code 65: column 1, row 2.
    EXPECT_EQ(d.Dialog.GetSelectedCell(), QPoint(1, 2));
    const QImage& grid = d.Dialog.GetGrid().Image();
    EXPECT_EQ(grid.pixel(21, 41), qRgb(255, 0, 0));
    EXPECT_EQ(grid.pixel(41, 41), qRgb(192, 192, 192));
}

TEST_F(KxSymbolGrid, AClickAt45And30StoresCode50) {
    TShownDialog<TPropSym, TKxSymbol> d(S.Lab, Symbol);
    const int paints = S.Lab.Paints;
    QTest::mouseClick(d.Find<TPaintBox>("PaintBox1"), Qt::LeftButton, {}, {45, 30});
    EXPECT_EQ(Symbol->Symbol, 50);
    EXPECT_EQ(d.Dialog.GetSelectedCell(), QPoint(2, 1));
    EXPECT_EQ(d.Dialog.GetGrid().Image().pixel(41, 21), qRgb(255, 0, 0));
    EXPECT_GT(S.Lab.Paints, paints);
}

TEST(KxSymbolGridCells, PixelsOutsideTheGridHaveNoCell) {
    const std::pair<QPoint, QPoint> cases[] = {{{0, 0}, {0, 0}},
                                               {{319, 279}, {15, 13}},
                                               {{320, 10}, {-1, -1}},
                                               {{10, 280}, {-1, -1}},
                                               {{-1, 5}, {-1, -1}}};
    for (const auto& [pixel, cell] : cases)
        EXPECT_EQ(TPropSym::CellAt(pixel), cell) << pixel.x() << "," << pixel.y();
}

TEST_F(KxSymbolGrid, CodesFrom128AreDrawnAsTheCodePageReadsThem) {
    Symbol->FontName = "Liberation Sans";
    TShownDialog<TPropSym, TKxSymbol> d(S.Lab, Symbol);
    // Code 128 is the euro sign in Windows-1252: column 0, row 6.
    TBitmap expected(20, 20);
    TCanvas& c = expected.Canvas();
    c.Brush = {RGB(192, 192, 192), bsSolid};
    c.FillRect({0, 0, 20, 20});
    c.Brush.Style = bsClear;
    c.Font.SetName("Liberation Sans");
    c.Font.SetHeight(14);
    c.TextOut(0, 0, QString(QChar(0x20AC)));
    EXPECT_EQ(d.Dialog.GetGrid().Image().copy(0, 120, 20, 20), expected.Image());
}

TEST_F(KxSymbolGrid, ChangingTheFontRedrawsTheGrid) {
    TShownDialog<TPropSym, TKxSymbol> d(S.Lab, Symbol);
    const QImage before = d.Dialog.GetGrid().Image();
    auto* fonts = d.Find<QComboBox>("ComBoxFontName");
    fonts->setCurrentIndex(fonts->findText("DejaVu Sans Mono"));
    EXPECT_EQ(Symbol->FontName, "DejaVu Sans Mono");
    EXPECT_NE(d.Dialog.GetGrid().Image(), before);
}
