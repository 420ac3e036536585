#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QImage>
#include <QRect>
#include <QString>
#include <QVariantList>
#include <vector>

#include "common/TestSupport.h"
#include "db/Session.h"
#include "db/Table.h"
#include "elements/KxElement.h"

class TKxBarCode;
class TTestOwner;

/// A barcode drawn for print on a picture: the page, and the pixels of its symbol and a little around.
struct TPrintedBarcode {
    QImage Page;
    QRect Symbol;
};
/// Draws Bar (tdPrint, its own code, its angle) on a square page at Dpi with its anchor in the middle,
/// which holds the symbol at any angle with 10 mm to spare. Moves Bar's P1 there.
TPrintedBarcode PrintBarcode(TTestOwner& Owner, TKxBarCode& Bar, int Dpi);

/// The bytes an element writes, tag included, little-endian as in label files.
QByteArray SaveRecord(const TKxElement& e);
/// A little-endian reader over a record written by SaveRecord, placed just past its tag.
class TRecordReader {
public:
    explicit TRecordReader(const QByteArray& bytes);
    QDataStream& Stream() { return FStream; }

private:
    QDataStream FStream;
};

/// Reads a record written by SaveRecord (skipping the tag) into e; answers the stream status.
QDataStream::Status LoadRecord(TKxElement& e, const QByteArray& bytes, int version = 14);

/// A real SQLite table for one test: the database file in a temporary folder, reached through an
/// alias of a session of its own, the table open on its first record. Setting up fails the test.
struct TSqliteTable {
    /// Creates table Name with Columns (SQL column definitions) and inserts Rows.
    TSqliteTable(const QString& Name, const QString& Columns, const std::vector<QVariantList>& Rows);

    TKxTempDir Dir;
    TSession Session;
    TTable Table{&Session};
};
