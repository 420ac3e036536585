#pragma once

#include "base/KxException.h"
#include "kxlab_export.h"

/// The designer's own failure with a fixed message for the user, such as a label file that cannot
/// be loaded ("No se puede leer el archivo elegido").
class KXLAB_EXPORT EKxError : public EKxException {
public:
    using EKxException::EKxException;
};
