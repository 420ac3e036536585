#include "elements/KxFieldValues.h"

#include "db/Field.h"
#include "db/Table.h"

QString KxFieldText(TTable& Table, const QString& FieldName) {
    return Table.FieldByName(FieldName).AsString();
}

bool KxFieldBoolean(TTable& Table, const QString& FieldName) {
    return Table.FieldByName(FieldName).AsBoolean();
}

QByteArray KxFieldPicture(TTable& Table, const QString& FieldName) {
    return Table.FieldByName(FieldName).AsBytes();
}
