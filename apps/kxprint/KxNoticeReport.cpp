#include "KxNoticeReport.h"

#include "db/DBEngineError.h"

namespace {

QString Times(int64_t Count, const char* One, const char* Many) {
    return Count == 1 ? QString::fromLatin1(One)
                      : QStringLiteral("%1 %2").arg(Count).arg(QLatin1String(Many));
}

QString Line(const TNotice& N) {
    switch (N.Kind) {
    case TNoticeKind::PictureFile:
        return QStringLiteral("the picture \"%1\" cannot be read and prints as a placeholder (%2)")
            .arg(N.Subject, N.Detail);
    case TNoticeKind::PictureField:
        return QStringLiteral("the picture of field \"%1\" cannot be read in %2, drawn with the picture held "
                              "before, if any (first: %3)")
            .arg(N.Subject, Times(N.Count, "one label", "labels"), N.Detail);
    case TNoticeKind::LongText:
        return QStringLiteral("the text of field \"%1\" is cut in %2 (first: %3)")
            .arg(N.Subject, Times(N.Count, "one label", "labels"), N.Detail);
    case TNoticeKind::Barcode:
        return QStringLiteral(
                   "the barcode of %1 cannot be drawn in %2 and prints as a crossed box (first: %3)")
            .arg(N.Subject, Times(N.Count, "one label", "labels"), N.Detail);
    case TNoticeKind::Server:
        return QStringLiteral("the server of alias \"%1\" says%2: %3")
            .arg(N.Subject, N.Count == 1 ? QString() : QStringLiteral(" (%1 times)").arg(N.Count), N.Detail);
    }
    return {};
}

} // namespace

QStringList KxNoticeLines(const TNoticeTally& Tally) {
    QStringList lines;
    for (const TNotice& notice : Tally.Notices())
        lines.append(Line(notice));
    if (Tally.Others() > 0) lines.append(QStringLiteral("and %1 more notes like these").arg(Tally.Others()));
    return lines;
}

void KxRefuseNotice(const TNotice& Notice) {
    if (Notice.Kind == TNoticeKind::Server) return;
    throw EDBEngineError(Line(Notice) + QStringLiteral("; --strict makes that an error"));
}
