#pragma once

#include <cstdint>
#include <QString>

#include "kxlab_export.h"

class TKxData;
class TKxElement;

/// E as an element that may take its content from a field, or null.
KXLAB_EXPORT TKxData* KxDataOf(TKxElement* E);
KXLAB_EXPORT const TKxData* KxDataOf(const TKxElement* E);
/// Characters of every text E stores (ID, font and field names, texts, a barcode's code).
KXLAB_EXPORT int64_t KxTextLength(const TKxElement& E);
/// The picture file E names and reads itself (an unbound picture element), or empty.
KXLAB_EXPORT QString KxPictureFile(const TKxElement& E);
