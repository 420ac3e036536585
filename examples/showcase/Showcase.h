#pragma once

#include <QString>

#include "base/Geometry.h"

class TKxLab;

/// Width and height of the showcase label, in tenths of a millimetre.
inline constexpr TSize KxShowcaseSize{1000, 800};

/// Appends one element of every kind, each with a visible use of its options, laid out to fill a
/// label of KxShowcaseSize shifted by Offset (tenths of a mm). PictureFile is loaded by the picture
/// element; a file that cannot be read shows the element's placeholder.
void AddEveryKind(TKxLab& Lab, const QString& PictureFile, TPoint Offset = {0, 0});

/// A 100 x 80 mm label with a single frame and one element of every kind.
void MakeShowcase(TKxLab& Lab, const QString& PictureFile);

/// Writes the picture the showcase shows: a small colour test card as a PNG file.
void WriteShowcasePicture(const QString& FileName);
