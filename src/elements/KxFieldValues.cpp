#include "elements/KxFieldValues.h"

#include "platform/Field.h"
#include "platform/Table.h"

QString KxFieldText(TTable& Table, const QString& FieldName) {
    return Table.FieldByName(FieldName).AsString();
}

bool KxFieldBoolean(TTable& Table, const QString& FieldName) {
    return Table.FieldByName(FieldName).AsBoolean();
}

QByteArray KxFieldPicture(TTable& Table, const QString& FieldName) {
    return Table.FieldByName(FieldName).AsBytes();
}
