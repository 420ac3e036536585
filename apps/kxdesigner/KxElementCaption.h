#pragma once

#include <QString>

#include "types/Kxtypes.h"

class TKxElement;

/// The name of an element kind as the designer shows it ("Text", "Barcode"...).
QString KxKindName(TKxEle Kind);

/// How the designer lists an element: its kind and what it shows, "Text: Price", "Barcode: [ean]"
/// for one bound to a field, "Picture: tag.png"; the kind alone for shapes.
QString KxElementCaption(const TKxElement& E);
