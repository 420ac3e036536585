#pragma once

#include <QByteArray>
#include <QString>

/// Text of label files is Windows-1252. Decoding maps every byte to one character
/// (the five unassigned bytes to the C1 controls of the same value), so any byte string
/// survives a decode and an encode unchanged.
QString FromCodePage(const QByteArray& bytes);
/// Encodes to Windows-1252; a character with no code becomes '?'.
QByteArray ToCodePage(const QString& text);
/// The Windows-1252 byte of one character, or '?' when it has none.
char CodePageByte(QChar c);
/// The character that a Windows-1252 byte stands for.
QChar CodePageChar(unsigned char b);
