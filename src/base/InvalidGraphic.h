#pragma once

#include "base/KxException.h"
#include "kxlab_export.h"

/// A picture or metafile that cannot be read or written: the message names the file (or the source
/// of the bytes) and, for a damaged file, the byte offset where reading stopped.
class KXLAB_EXPORT EInvalidGraphic : public EKxException {
public:
    using EKxException::EKxException;
};
