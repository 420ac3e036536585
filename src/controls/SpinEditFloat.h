#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "base/Rounding.h"
#include "kxlab_export.h"

class QToolButton;

/// Formats V as "-d,ddd.dd": rounded half away from zero to at most Precision significant digits
/// (1..18) and to Digits decimals (0..18), with the integer part grouped by three. When the integer part
/// needs more than Precision digits the result is in exponent form ("1.5E+12"). NaN and infinities come
/// out as "NAN", "INF" and "-INF".
KXLAB_EXPORT QString FormatFloatNumber(Extended V, int Precision, int Digits, const QString& DecimalSeparator,
                                       const QString& ThousandSeparator);

/// Parses a plain number ("-12.5", "+3", ".5", "1e3") whose decimal separator is DecimalSeparator.
/// Answers false, leaving Result alone, for anything else, including grouped digits and overflow.
KXLAB_EXPORT bool ParseFloatNumber(const QString& Text, const QString& DecimalSeparator, Extended& Result);

/// Two stacked arrow buttons that repeat while held. Pressing either one first gives the focus to
/// FocusControl, so the edit it serves keeps the keyboard.
class KXLAB_EXPORT TSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit TSpinButton(QWidget* parent = nullptr);

    void SetFocusControl(QWidget* control) { FFocusControl = control; }
    QWidget* FocusControl() const { return FFocusControl; }
    QToolButton* UpButton() const { return FUpButton; }
    QToolButton* DownButton() const { return FDownButton; }
    QSize sizeHint() const override { return {15, 17}; }

signals:
    void upClick();
    void downClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* MakeArrow(Qt::ArrowType arrow);

    QToolButton* FUpButton = nullptr;
    QToolButton* FDownButton = nullptr;
    QPointer<QWidget> FFocusControl;
};

/// Single-line editor for fractional values with spin arrows at its right edge.
///
/// `Value` is never stored: every read parses the text, every write formats it (grouped, `Digits`
/// decimals, `Precision` significant digits) after clamping to [`MinValue`, `MaxValue`], a range that
/// is open when both bounds are equal. Separators and the currency symbol come from the widget's
/// locale(), which is the default QLocale unless set otherwise. Refused keys beep through MessageBeep.
///
/// Events: OnChange is the `changed` signal (emitted with textChanged, by typing and by every write of
/// `Value` that alters the text). Focus, key, mouse and drag events are Qt's own (event filters or
/// the usual signals of QLineEdit). Colour, font, hint, tab order and pop-up menu are QWidget properties.
class KXLAB_EXPORT TSpinEditFloat : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
    Q_PROPERTY(int Digits READ Digits WRITE SetDigits)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
    Q_PROPERTY(double Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(double Value READ GetValue WRITE SetValue NOTIFY changed STORED true USER true)
public:
    explicit TSpinEditFloat(QWidget* parent = nullptr);

    int Precision() const { return FPrecision; }
    /// Significant digits of the formatted text; rewrites the text.
    void SetPrecision(int count);
    int Digits() const { return FDigits; }
    /// Digits after the decimal separator; rewrites the text.
    void SetDigits(int count);
    Extended MinValue() const { return FMinValue; }
    void SetMinValue(Extended value) { FMinValue = value; }
    Extended MaxValue() const { return FMaxValue; }
    void SetMaxValue(Extended value) { FMaxValue = value; }
    /// Step of one arrow click or arrow key.
    Extended Increment() const { return FIncrement; }
    void SetIncrement(Extended value) { FIncrement = value; }
    /// When false the text cannot be typed, deleted, cut or pasted; the arrows still work.
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool enabled);
    /// Select the whole text when the focus arrives other than by a click in the text.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool on) { FAutoSelect = on; }

    /// The text as a number; text that does not parse reads as MinValue.
    Extended GetValue() const;
    void SetValue(Extended value);
    /// value clamped into [MinValue, MaxValue], or value itself when the bounds are equal.
    Extended CheckValue(Extended value) const;

    /// One step up or down; only a beep when read-only.
    void UpClick();
    void DownClick();

    /// Height of the font plus 7 pixels: below it the text would be cut.
    int GetMinHeight() const;

    // The spellings uic calls for the designed properties of a form.
    void setPrecision(int count) { SetPrecision(count); }
    void setDigits(int count) { SetDigits(count); }
    void setMinValue(double value) { SetMinValue(value); }
    void setMaxValue(double value) { SetMaxValue(value); }
    void setIncrement(double value) { SetIncrement(value); }
    void setEditorEnabled(bool enabled) { SetEditorEnabled(enabled); }
    void setAutoSelect(bool on) { SetAutoSelect(on); }
    void setValue(double value) { SetValue(value); }
    TSpinButton* Button() const { return FButton; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void changed();

protected:
    /// Whether Key may be typed at all: sign, digit, decimal separator or a control character other
    /// than carriage return; nothing from space upward, nor backspace, while the editor is disabled.
    virtual bool IsValidChar(QChar Key) const;

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;

private:
    QString DecimalSeparator() const;
    bool CanEdit() const { return FEditorEnabled && !isReadOnly(); }
    int SelStart() const;
    void WriteText(const QString& text);
    void Reformat();
    void PlaceButton();
    void PressDefaultButton();
    bool KeyPress(QChar key);
    void DeleteSelection();

    int FPrecision = 9;
    int FDigits = 2;
    Extended FMinValue = 0;
    Extended FMaxValue = 0;
    Extended FIncrement = 0.5;
    TSpinButton* FButton = nullptr;
    bool FEditorEnabled = true;
    bool FAutoSelect = true;
};

/// Plain edit whose text alignment is a property; centred unless told otherwise.
class KXLAB_EXPORT TAlignEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)

    explicit TAlignEdit(QWidget* parent = nullptr);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    /// The spelling uic calls for the designed Alignment; Qt's own overload stays reachable.
    void setAlignment(TAlignment alignment) { SetAlignment(alignment); }
    using QLineEdit::setAlignment;
    QSize sizeHint() const override;

private:
    TAlignment FAlignment = taCenter;
};
