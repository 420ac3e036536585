#pragma once

#include "base/KxException.h"
#include "kxlab_export.h"

/// The error the database layer raises: an alias, a table or a filter that cannot be used. The message
/// names what failed (alias, table, field, position in a filter) and what the engine said, in words a
/// user can act on.
class KXLAB_EXPORT EDBEngineError : public EKxException {
public:
    using EKxException::EKxException;
};
