#include "controls/SpinEditFloat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QList>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>
#include <string>
#include <string_view>

#include "base/Messages.h"

namespace {

// |v| = 0.Digits x 10^Point; Digits carries no sign.
struct TDecimal {
    std::string Digits;
    int Point = 0;
};

TDecimal ToDecimal(Extended v) {
    // 21 significant digits are more than a long double holds, so rounding this expansion once in
    // decimal gives the same result as rounding the exact value, ties included.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 20);
    const std::string_view text(buffer, static_cast<size_t>(written.ptr - buffer));
    const size_t e = text.find('e');
    TDecimal d;
    d.Digits.push_back(text[0]);
    d.Digits.append(text.substr(2, e - 2));
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    d.Point = exponent + 1;
    return d;
}

// Keeps the first count digits, rounding half away from zero; a count of 0 or less keeps none.
void RoundDigits(TDecimal& d, int count) {
    if (count < 0) {
        d.Digits.clear();
        return;
    }
    const auto keep = static_cast<size_t>(count);
    const bool up = keep < d.Digits.size() && d.Digits[keep] >= '5';
    d.Digits.resize(std::min(keep, d.Digits.size()));
    if (!up) return;
    size_t i = d.Digits.size();
    while (i > 0 && d.Digits[i - 1] == '9')
        d.Digits[--i] = '0';
    if (i > 0) {
        ++d.Digits[i - 1];
    } else {
        d.Digits.insert(d.Digits.begin(), '1');
        ++d.Point;
    }
}

QString GroupThousands(const std::string& integer, const QString& separator) {
    QString out;
    for (size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) out += separator;
        out += QLatin1Char(integer[i]);
    }
    return out;
}

QString ExponentForm(const TDecimal& d, const QString& decimalSeparator) {
    std::string rest = d.Digits.substr(1);
    rest.erase(rest.find_last_not_of('0') + 1);
    QString out(QLatin1Char(d.Digits[0]));
    if (!rest.empty()) out += decimalSeparator + QString::fromLatin1(rest.data(), qsizetype(rest.size()));
    const int exponent = d.Point - 1;
    return out + QStringLiteral("E%1%2")
                     .arg(exponent < 0 ? '-' : '+')
                     .arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
}

bool IsShortcut(const QKeyEvent* event) {
    return event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
}

// The character a key event types, or a null character for editing keys, shortcuts and control codes.
// The keypad's decimal key types the locale's separator whatever the keyboard layout says.
QChar TypedChar(const QKeyEvent* event, const QString& decimalSeparator) {
    if (IsShortcut(event)) return {};
    if ((event->modifiers() & Qt::KeypadModifier) &&
        (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma))
        return decimalSeparator.at(0);
    const QString text = event->text();
    if (text.isEmpty()) return {};
    const QChar c = text.at(0);
    if (c.unicode() < 32 || c.unicode() == 127) return {};
    return c;
}

bool IsDeletingKey(const QKeyEvent* event) {
    for (const auto key :
         {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::DeleteStartOfWord,
          QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine})
        if (event->matches(key)) return true;
    return event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
}

} // namespace

QString FormatFloatNumber(Extended V, int Precision, int Digits, const QString& DecimalSeparator,
                          const QString& ThousandSeparator) {
    if (std::isnan(V)) return QStringLiteral("NAN");
    if (std::isinf(V)) return V > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    Precision = std::clamp(Precision, 1, 18);
    Digits = std::clamp(Digits, 0, 18);

    TDecimal d = ToDecimal(std::fabs(V));
    RoundDigits(d, std::min(Precision, d.Point + Digits));
    const bool zero = d.Digits.find_first_not_of('0') == std::string::npos;
    const QString sign = std::signbit(V) && !zero ? QStringLiteral("-") : QString();
    if (!zero && d.Point > Precision) return sign + ExponentForm(d, DecimalSeparator);

    const auto digitAt = [&d](int index) {
        return index >= 0 && static_cast<size_t>(index) < d.Digits.size() ? d.Digits[size_t(index)] : '0';
    };
    std::string integer;
    for (int i = 0; i < std::max(d.Point, 1); ++i)
        integer.push_back(d.Point > 0 ? digitAt(i) : '0');
    QString out = sign + GroupThousands(integer, ThousandSeparator);
    if (Digits > 0) {
        out += DecimalSeparator;
        for (int i = 0; i < Digits; ++i)
            out += QLatin1Char(digitAt(d.Point + i));
    }
    return out;
}

bool ParseFloatNumber(const QString& Text, const QString& DecimalSeparator, Extended& Result) {
    std::string ascii;
    for (qsizetype i = 0; i < Text.size();) {
        if (!DecimalSeparator.isEmpty() && QStringView(Text).sliced(i).startsWith(DecimalSeparator)) {
            ascii.push_back('.');
            i += DecimalSeparator.size();
            continue;
        }
        const QChar c = Text.at(i++);
        if (c.isDigit())
            ascii.push_back(char('0' + c.digitValue()));
        else if (c == u'+' || c == u'-')
            ascii.push_back(char(c.unicode()));
        else if (c == u'e' || c == u'E')
            ascii.push_back('e');
        else
            return false;
    }
    std::string_view number = ascii;
    if (number.size() > 1 && number[0] == '+' && number[1] != '+' && number[1] != '-')
        number.remove_prefix(1);
    Extended value = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (error != std::errc{} || end != number.data() + number.size() || !std::isfinite(value)) return false;
    Result = value;
    return true;
}

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent) {
    FUpButton = MakeArrow(Qt::UpArrow);
    FDownButton = MakeArrow(Qt::DownArrow);
    connect(FUpButton, &QToolButton::clicked, this, &TSpinButton::upClick);
    connect(FDownButton, &QToolButton::clicked, this, &TSpinButton::downClick);
    // Over the arrows the pointer is an arrow, not the text cursor of the edit underneath.
    setCursor(Qt::ArrowCursor);
    resize(15, 17);
}

QToolButton* TSpinButton::MakeArrow(Qt::ArrowType arrow) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::pressed, this, [this] {
        if (FFocusControl && !FFocusControl->hasFocus()) FFocusControl->setFocus(Qt::OtherFocusReason);
    });
    return button;
}

void TSpinButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    FUpButton->setGeometry(0, 0, width(), upper);
    FDownButton->setGeometry(0, upper, width(), height() - upper);
}

TSpinEditFloat::TSpinEditFloat(QWidget* parent)
    : QLineEdit(parent)
    , FButton(new TSpinButton(this)) {
    FButton->SetFocusControl(this);
    connect(FButton, &TSpinButton::upClick, this, &TSpinEditFloat::UpClick);
    connect(FButton, &TSpinButton::downClick, this, &TSpinEditFloat::DownClick);
    connect(this, &QLineEdit::textChanged, this, &TSpinEditFloat::changed);
    // Composed input would bypass the key checks; a numeric field has no use for it.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    WriteText(QStringLiteral("0") + DecimalSeparator() + QStringLiteral("00"));
    PlaceButton();
}

void TSpinEditFloat::SetPrecision(int count) {
    FPrecision = count;
    Reformat();
}

void TSpinEditFloat::SetDigits(int count) {
    FDigits = count;
    Reformat();
}

void TSpinEditFloat::SetEditorEnabled(bool enabled) {
    FEditorEnabled = enabled;
}

QString TSpinEditFloat::DecimalSeparator() const {
    return locale().decimalPoint();
}

Extended TSpinEditFloat::GetValue() const {
    const QLocale loc = locale();
    QString s = text();
    const QString currency = loc.currencySymbol();
    if (!currency.isEmpty()) s.remove(currency);
    // Every kind of space: locales put no-break spaces between a number and its currency symbol.
    s.removeIf([](QChar c) { return c.isSpace(); });
    const QString group = loc.groupSeparator();
    if (!group.isEmpty()) s.remove(group);
    // Accounting style: (1.50) is -1.50.
    bool negate = false;
    if (const qsizetype open = s.indexOf(u'('); open >= 0) {
        s.remove(open, 1);
        if (const qsizetype close = s.indexOf(u')'); close >= 0) s.remove(close, 1);
        negate = true;
    }
    Extended value = 0;
    if (!ParseFloatNumber(s, DecimalSeparator(), value)) return FMinValue;
    return negate ? -value : value;
}

void TSpinEditFloat::SetValue(Extended value) {
    WriteText(FormatFloatNumber(CheckValue(value), FPrecision, FDigits, DecimalSeparator(),
                                locale().groupSeparator()));
}

Extended TSpinEditFloat::CheckValue(Extended value) const {
    if (FMinValue == FMaxValue) return value;
    if (value < FMinValue) return FMinValue;
    if (value > FMaxValue) return FMaxValue;
    return value;
}

void TSpinEditFloat::UpClick() {
    if (isReadOnly())
        MessageBeep(0);
    else
        SetValue(GetValue() + FIncrement);
}

void TSpinEditFloat::DownClick() {
    if (isReadOnly())
        MessageBeep(0);
    else
        SetValue(GetValue() - FIncrement);
}

int TSpinEditFloat::GetMinHeight() const {
    return QFontMetrics(font()).height() + 7;
}

QSize TSpinEditFloat::sizeHint() const {
    return {121, std::max(QLineEdit::sizeHint().height(), GetMinHeight())};
}

QSize TSpinEditFloat::minimumSizeHint() const {
    QSize size = QLineEdit::minimumSizeHint();
    size.setHeight(std::max(size.height(), GetMinHeight()));
    return size;
}

bool TSpinEditFloat::IsValidChar(QChar Key) const {
    const char16_t k = Key.unicode();
    bool valid = k == u'+' || k == u'-' || (k >= u'0' && k <= u'9') || QString(Key) == DecimalSeparator() ||
                 (k < 32 && k != 13);
    // The Delete key has no character here; keyPressEvent refuses it with Backspace.
    if (!FEditorEnabled && (k >= 32 || k == 8)) valid = false;
    return valid;
}

int TSpinEditFloat::SelStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

// Every text write by the control leaves the caret at the start, which the leading-zero rule of
// KeyPress relies on after DeleteSelection.
void TSpinEditFloat::WriteText(const QString& newText) {
    setText(newText);
    setCursorPosition(0);
}

void TSpinEditFloat::Reformat() {
    SetValue(GetValue());
}

// The arrows sit inside the frame, flush with the top of the text area and one pixel short of its
// right edge; the text stops three pixels before them.
void TSpinEditFloat::PlaceButton() {
    const int frame = hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
    const int buttonWidth = FButton->width();
    FButton->setGeometry(width() - frame - buttonWidth - 1, frame, buttonWidth,
                         std::max(height() - 2 * frame - 2, 0));
    const QMargins margins(0, 0, buttonWidth + 3, 0);
    if (textMargins() != margins) setTextMargins(margins);
}

void TSpinEditFloat::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    if (height() < GetMinHeight())
        resize(width(), GetMinHeight());
    else
        PlaceButton();
}

void TSpinEditFloat::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::ReadOnlyChange:
        // QLineEdit turns composed input back on with every read-only change.
        setAttribute(Qt::WA_InputMethodEnabled, false);
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
        updateGeometry();
        if (height() < GetMinHeight())
            resize(width(), GetMinHeight());
        else
            PlaceButton();
        break;
    default: break;
    }
}

void TSpinEditFloat::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        key == Qt::Key_Up ? UpClick() : DownClick();
        QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && window() != this) {
        event->accept();
        PressDefaultButton();
        return;
    }
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste)) {
        if (FEditorEnabled)
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    if (!FEditorEnabled && IsDeletingKey(event)) {
        MessageBeep(0);
        event->accept();
        return;
    }
    const QChar typed = TypedChar(event, DecimalSeparator());
    // Editing keys (Backspace, Delete, arrows) keep their usual meaning; the sign needs no checks.
    if (typed.isNull() || (typed == u'-' && FEditorEnabled)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!IsValidChar(typed)) {
        MessageBeep(0);
        event->accept();
        return;
    }
    if (!KeyPress(typed)) {
        event->accept();
        return;
    }
    if (event->text() == QString(typed)) {
        QLineEdit::keyPressEvent(event);
    } else {
        insert(QString(typed));
        event->accept();
    }
}

// Places the caret or selection for a valid typed key; false swallows the key.
bool TSpinEditFloat::KeyPress(QChar key) {
    const QString decimal = DecimalSeparator();
    const bool isDecimal = QString(key) == decimal;
    if (isDecimal)
        setCursorPosition(SelStart());
    else
        DeleteSelection();

    const QString current = text();
    const int separator = int(current.indexOf(decimal)) + 1; // 1-based, 0 when absent
    if (isDecimal) {
        if (separator > 0) {
            setCursorPosition(separator);
            return false;
        }
        if (FDigits < 0) setCursorPosition(int(current.size()));
        return true;
    }

    const int caret = SelStart();
    if ((caret == 0 || caret == 1) && current.startsWith(u'0')) {
        setSelection(0, 1);
        return true;
    }
    // Without a separator the whole text is the integer part, so the decimal rules do not apply.
    if (FDigits > 0 && separator > 0) {
        if (caret == separator + FDigits) {
            MessageBeep(0);
            return false;
        }
        if (caret >= separator && caret < current.size()) setSelection(caret, 1);
    }
    return true;
}

void TSpinEditFloat::DeleteSelection() {
    if (!hasSelectedText()) return;
    if (selectedText() == text())
        WriteText(QStringLiteral("0") + DecimalSeparator() + QStringLiteral("00"));
    else
        setCursorPosition(selectionStart() + int(selectedText().size()));
}

void TSpinEditFloat::PressDefaultButton() {
    const int start = SelStart();
    const int length = int(selectedText().size());
    QWidget* const form = window();
    QList<QPointer<QPushButton>> defaults;
    for (QPushButton* button : form->findChildren<QPushButton*>())
        if (button->isDefault() && button->window() == form && button->isEnabled() &&
            button->isVisibleTo(form))
            defaults.append(button);
    if (defaults.isEmpty()) {
        MessageBeep(0);
        return;
    }
    const QPointer<TSpinEditFloat> self(this);
    for (const QPointer<QPushButton>& button : defaults) {
        if (!button) continue;
        // Leaving the edit first clamps its value, so the button's action reads the final one.
        button->setFocus(Qt::OtherFocusReason);
        button->click();
        if (!self) return;
    }
    setFocus(Qt::OtherFocusReason);
    if (FAutoSelect)
        selectAll();
    else if (length > 0)
        setSelection(start, length);
    else
        setCursorPosition(start);
}

void TSpinEditFloat::focusInEvent(QFocusEvent* event) {
    const int cursor = cursorPosition();
    const int start = selectionStart();
    const int length = int(selectedText().size());
    // A click in the text places the caret itself; any other arrival selects everything.
    if (FAutoSelect && event->reason() != Qt::MouseFocusReason) selectAll();
    QLineEdit::focusInEvent(event);
    if (!FAutoSelect) {
        if (length > 0)
            setSelection(start, length);
        else
            setCursorPosition(cursor);
    }
}

void TSpinEditFloat::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A pop-up menu borrows the focus without the user leaving the field.
    if (event->reason() == Qt::PopupFocusReason) return;
    const Extended value = GetValue();
    if (CheckValue(value) != value) SetValue(value);
}

void TSpinEditFloat::contextMenuEvent(QContextMenuEvent* event) {
    if (FEditorEnabled) {
        QLineEdit::contextMenuEvent(event);
        return;
    }
    // Built as for a read-only edit, so the menu offers no undo, cut, paste or delete.
    setReadOnly(true);
    QMenu* const menu = createStandardContextMenu();
    setReadOnly(false);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TSpinEditFloat::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the primary selection on X11.
    if (!FEditorEnabled && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TSpinEditFloat::dragEnterEvent(QDragEnterEvent* event) {
    if (!FEditorEnabled) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

TAlignEdit::TAlignEdit(QWidget* parent)
    : QLineEdit(parent) {
    setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
}

void TAlignEdit::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    static constexpr Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    setAlignment(horizontal[alignment] | Qt::AlignVCenter);
}

QSize TAlignEdit::sizeHint() const {
    return {121, QLineEdit::sizeHint().height()};
}
