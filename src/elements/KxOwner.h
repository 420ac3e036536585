#pragma once

#include <cstdint>

#include "kxlab_export.h"
#include "types/Kxtypes.h"

/// What an element asks of the label that owns it: the unit its public lengths cross the interface in,
/// and the alignment guides it aligns to. Everything it draws with comes in the draw context.
class KXLAB_EXPORT TKxOwner {
public:
    virtual ~TKxOwner() = default;

    /// Unit in which element lengths cross the public interface.
    virtual TKxUnits GetUnits() const = 0;
    /// The left alignment guide, in label units from the label's left edge.
    virtual int32_t GetGuideLeft() const = 0;
    /// The top alignment guide, in label units from the label's top edge.
    virtual int32_t GetGuideTop() const = 0;

protected:
    TKxOwner() = default;
    TKxOwner(const TKxOwner&) = default;
    TKxOwner& operator=(const TKxOwner&) = default;
};
