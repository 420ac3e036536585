#pragma once

#include <QString>
#include <QStringList>

/// How a program run ended: exit code (-1 when it crashed or was killed after 5 minutes) and output.
struct TResult {
    int Code = -1;
    QString Out;
    QString Err;
};

TResult Exec(const QString& Program, const QStringList& Args);

/// A file of the sample folder the build makes (database, aliases, example labels).
QString Sample(const QString& Name);

/// The barcodes zbarimg reads on a picture, sorted.
QStringList Scan(const QString& Png);
