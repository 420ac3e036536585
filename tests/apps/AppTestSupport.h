#pragma once

#include <QString>
#include <QStringList>

#include "common/TestSupport.h"

/// A file of the sample folder the build makes (database, aliases, example labels).
QString Sample(const QString& Name);

/// The barcodes zbarimg reads on a picture, sorted.
QStringList Scan(const QString& Png);
