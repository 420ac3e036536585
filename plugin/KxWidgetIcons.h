#pragma once

#include <QIcon>

/// The widget box icons, drawn rather than shipped as pictures.
QIcon KxLabIcon();
QIcon KxSpinEditIcon();
QIcon KxAlignEditIcon();
