#pragma once

#include <QString>
#include <QStringList>

/// Whether a font name is one the text engine draws with a face of its own: an installed family,
/// or an alias that resolves to another family than unknown names do ("Arial" to its metric
/// compatible face).
bool KxFontInstalled(const QString& Name);

/// The screen fonts, sorted, with Current among them when it is an installed alias.
QStringList KxScreenFonts(const QString& Current);
