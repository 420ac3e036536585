#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include "kxlab_export.h"

class TTable;

/// The value types a field can have, mapped from each engine's column types.
enum class TFieldType {
    Unknown,
    String,   ///< short text: CHAR, VARCHAR, TEXT
    Integer,  ///< whole numbers of any width
    Float,    ///< binary floating point: REAL, DOUBLE
    Currency, ///< MONEY, CURRENCY
    BCD,      ///< exact decimals: DECIMAL, NUMERIC
    Boolean,
    Date,
    Time,
    DateTime,
    Memo,   ///< long text: CLOB, MEMO, json, xml
    Blob,   ///< bytes: BLOB, bytea
    Graphic ///< picture bytes: a column declared GRAPHIC, IMAGE or PICTURE (a domain of that name on a
            ///< server)
};

/// Maps an engine's declared column type (SQLite's declared type text, PostgreSQL's type or domain name)
/// to a field type. Declared types follow SQLite's affinity words, so "VARCHAR(40)" is a string.
KXLAB_EXPORT TFieldType FieldTypeFromDeclared(const QString& declared);

/// True for the types whose filter literals are quoted (string, memo, date, time, date-time).
KXLAB_EXPORT bool IsQuotedFieldType(TFieldType type);

/// One column of an open table, read in its current record. Owned by its table, valid while it is open.
class KXLAB_EXPORT TField {
public:
    TField(TTable* table, int index, QString name, TFieldType type);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const QString& FieldName() const { return FFieldName; }
    /// The label shown to the user; the field name unless the application sets another.
    const QString& DisplayLabel() const { return FDisplayLabel; }
    void SetDisplayLabel(const QString& label) { FDisplayLabel = label; }
    TFieldType DataType() const { return FDataType; }
    /// The owning table.
    TTable* DataSet() const { return FTable; }
    /// Position among the table's fields, from 0.
    int Index() const { return FIndex; }

    /// The raw value of the current record; invalid on NULL or when there is no record.
    QVariant Value() const;
    bool IsNull() const;
    /// The value as text that a filter condition built from it parses and matches on both engines: ISO
    /// dates ("2024-03-01"), times ("08:30:00", ".zzz" added when there are milliseconds) and date-times
    /// ("2024-03-01 08:30:00"), a point as decimal separator with the shortest text that reads back
    /// exactly, "True"/"False" for Booleans, empty for NULL and for blobs and graphics.
    QString AsString() const;
    /// Booleans as stored; numbers are true when not zero; text is true when it starts with T, Y or 1
    /// (ignoring case); NULL is false.
    bool AsBoolean() const;
    /// The bytes of a blob or graphic (the picture file's bytes); the UTF-8 text of other types.
    QByteArray AsBytes() const;

private:
    TTable* FTable = nullptr;
    int FIndex = 0;
    QString FFieldName;
    QString FDisplayLabel;
    TFieldType FDataType = TFieldType::Unknown;
};
