#pragma once

#include <QString>
#include <QStringView>

// Check digits and characters of the symbologies that carry one, and the messages that say what is
// wrong with a number. Messages are in the application's language (translation context "KxBarcode").

/// Whether Text is not empty and every character is an ASCII digit.
bool KxAllDigits(QStringView Text);

/// The GS1 check digit of a string of ASCII digits: weights 3 and 1 from the right, modulo 10.
int KxGS1CheckDigit(QStringView Digits);

/// A number of a fixed length whose last digit is its check digit.
struct TKxCheckedNumber {
    /// The number with its check digit; empty when Problem is set.
    QString Digits;
    /// Empty when the number is right; else what is wrong, for the user.
    QString Problem;
};

/// Completes or verifies a GS1 number of Length digits: with Length − 1 digits the check digit is
/// appended; with Length digits the last one must be the check digit. KindName names the symbology in
/// the message (its name in the barcode dialog's kind list).
TKxCheckedNumber KxCheckedNumber(const QString& Code, int Length, const QString& KindName);

/// The message for a check digit that is not the expected one.
QString KxWrongCheckDigit(QChar Given, QChar Expected);

/// The modulo 43 check character of a Code 39 text; Code holds only characters of the alphabet, '*'
/// excepted.
QChar KxCode39CheckChar(QStringView Code);
