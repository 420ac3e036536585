#pragma once

#include "elements/KxOwner.h"
#include "kxlab_export.h"
#include "label/KxSettingsOwner.h"

class TKxElement;

/// The view that shows a label: what elements ask of their owner's screen side (the mapping to
/// client pixels, the surface, the property dialogs) and the repaints the settings request. The label
/// answers the rest itself (units, table, guides, paper canvases) and asks its view only for these.
class KXLAB_EXPORT TKxLabelView : public TKxOwner, public TKxRepaintRequests {
public:
    /// E is about to leave the label (null: every element is); a view drops its selection of it.
    virtual void ElementRemoved(const TKxElement* E) = 0;
};
