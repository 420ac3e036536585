#pragma once

#include "base/KxException.h"
#include "kxlab_export.h"

/// A file or stream that cannot be opened, read or written: a missing or locked file, a short or
/// corrupt record, a full disk. The message names the file or the byte offset where reading stopped.
class KXLAB_EXPORT EStreamError : public EKxException {
public:
    using EKxException::EKxException;
};
