#pragma once

#include <QByteArray>
#include <QString>

class TTable;

// What a data element takes from its field in the current record of the owner's table while a
// label is printed or previewed. An unknown field name raises the database layer's
// EDBEngineError; the picture element catches it, the other kinds let it reach the drawing's caller.

/// The most characters an element takes from a field: a longer text (a document in a text column) is
/// cut there and noted (TNoticeKind::LongText), so one label never lays out megabytes of text. The
/// same number of characters kxprint allows the texts of one element.
constexpr int KxMaxFieldText = 65536;

/// The field's value as text, at most KxMaxFieldText characters: empty for NULL.
QString KxFieldText(TTable& Table, const QString& FieldName);
/// The field's value as a truth value: false for NULL.
bool KxFieldBoolean(TTable& Table, const QString& FieldName);
/// The bytes of a picture field (the picture file as stored); empty for NULL.
QByteArray KxFieldPicture(TTable& Table, const QString& FieldName);
