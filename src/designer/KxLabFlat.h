#pragma once

/// Declares the property Name of the settings object Object as a flat property of the control, for the
/// tools that cannot edit an object-valued property (Qt Designer's property editor, forms compiled by
/// uic): the getter Get<Object><Name> and the lower-camel setter set<Object><Name> that uic calls. Both
/// go through the owned object's own accessors, which convert lengths in the control's Units, clamp
/// and repaint; a form therefore sets Units before any length.
#define KX_FLAT_PROPERTY(Type, Object, Name)                                                                 \
    Type Get##Object##Name() const {                                                                         \
        return Get##Object()->Get##Name();                                                                   \
    }                                                                                                        \
    void set##Object##Name(Type Value) {                                                                     \
        Get##Object()->Set##Name(Value);                                                                     \
    }
