#pragma once

#include <stdexcept>
#include <string>

#include "kxlab_export.h"

/// A call that is not valid in the object's current state or with these arguments (a scroll
/// range whose minimum exceeds its maximum, for one). Programming errors, not user input.
class KXLAB_EXPORT EInvalidOperation : public std::logic_error {
public:
    explicit EInvalidOperation(const std::string& message)
        : std::logic_error(message) {}
};
