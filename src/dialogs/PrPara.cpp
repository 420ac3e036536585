#include "dialogs/PrPara.h"

#include <array>
#include <QPainter>
#include <QPixmap>

#include "ui_PrPara.h"

TPropPara* PropPara = nullptr;

namespace {

// A glyph of five text lines set as the format sets them.
QIcon FormatGlyph(TTextFormat Format) {
    constexpr int Size = 16;
    constexpr std::array<int, 5> Lengths{14, 9, 12, 7, 14};
    QPixmap glyph(Size, Size);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(Qt::black);
    for (size_t i = 0; i < Lengths.size(); ++i) {
        const int length = Format == taJustify && i + 1 < Lengths.size() ? Size - 2 : Lengths[i];
        const int left = Format == tfRight ? Size - 1 - length : Format == tfCenter ? (Size - length) / 2 : 1;
        const int y = 2 + static_cast<int>(i) * 3;
        painter.drawLine(left, y, left + length - 1, y);
    }
    return QIcon(glyph);
}

// Memo lines are CR LF separated in the element, as the label file keeps them.
QString MemoText(const QString& Text) {
    return QString(Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString ElementText(const QString& Memo) {
    return QString(Memo).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

} // namespace

TPropPara::TPropPara(QWidget* parent)
    : TKxForm(parent) {
    BindMemo();
    BindFontPage(*ui, ui->MemText, false, false);
    BindFormat();
    BindPenWidth(ui->SpEdFloatWidth);
    BindCheck(ui->CkBoxShow, &TKxParagraph::Border);
    BindPoint(ui->SpEdFloatX1, ui->SpEdFloatY1, false);
    BindPoint(ui->SpEdFloatX2, ui->SpEdFloatY2, true);
    BindColor(ui->ShCoBorder, &TKxElement::LineColor);
}

TPropPara::~TPropPara() = default;

void TPropPara::BindMemo() {
    AddLoader([this] { ui->MemText->setPlainText(MemoText(GetElement()->Text)); });
    OnChange(ui->MemText, &QPlainTextEdit::textChanged, [this] {
        const QString text = ui->MemText->toPlainText();
        if (!text.isEmpty()) GetElement()->Text = ElementText(text);
    });
}

void TPropPara::BindFormat() {
    // In the order of the format's values: left, right, centre, justified.
    const std::array<QToolButton*, 4> buttons{ui->SBFormatLeft, ui->SBFormatRight, ui->SBFormatCenter,
                                              ui->SBFormatJustify};
    for (size_t i = 0; i < buttons.size(); ++i) {
        const auto format = static_cast<TTextFormat>(i);
        buttons[i]->setIcon(FormatGlyph(format));
        OnChange(buttons[i], &QToolButton::clicked, [this, format] { GetElement()->Format = format; });
    }
    AddLoader([this, buttons] {
        const size_t format = GetElement()->Format;
        if (format < buttons.size()) buttons[format]->setChecked(true);
    });
}

// Compiled here, where the form class is complete.
#include "moc_PrPara.cpp"
