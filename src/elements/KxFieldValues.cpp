#include "elements/KxFieldValues.h"

#include "base/Notices.h"
#include "db/Field.h"
#include "db/Table.h"

QString KxFieldText(TTable& Table, const QString& FieldName) {
    QString text = Table.FieldByName(FieldName).AsString();
    if (text.size() > KxMaxFieldText) {
        KxNote(TNoticeKind::LongText, FieldName,
               QStringLiteral("%1 characters cut to %2").arg(text.size()).arg(KxMaxFieldText));
        // Never between the halves of a character beyond the first plane.
        text.truncate(text.at(KxMaxFieldText - 1).isHighSurrogate() ? KxMaxFieldText - 1 : KxMaxFieldText);
    }
    return text;
}

bool KxFieldBoolean(TTable& Table, const QString& FieldName) {
    return Table.FieldByName(FieldName).AsBoolean();
}

QByteArray KxFieldPicture(TTable& Table, const QString& FieldName) {
    return Table.FieldByName(FieldName).AsBytes();
}
