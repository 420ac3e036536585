#include "db/DriverWarnings.h"

#include <QLoggingCategory>
#include <QString>

namespace {

Q_LOGGING_CATEGORY(DriverCategory, "kxlab.db.driver", QtWarningMsg)

int Depth = 0;
QtMessageHandler Previous = nullptr;

void Divert(QtMsgType Type, const QMessageLogContext& Context, const QString& Text) {
    if (Type == QtFatalMsg) {
        Previous(Type, Context, Text);
        return;
    }
    if (!DriverCategory().isDebugEnabled()) return;
    const QMessageLogContext diverted(Context.file, Context.line, Context.function,
                                      DriverCategory().categoryName());
    Previous(QtDebugMsg, diverted, Text);
}

} // namespace

TDriverWarnings::TDriverWarnings() {
    if (Depth++ == 0) Previous = qInstallMessageHandler(Divert);
}

TDriverWarnings::~TDriverWarnings() {
    if (--Depth == 0) qInstallMessageHandler(Previous);
}
