#pragma once

#include "gdi/Canvas.h"
#include "metafile/Metafile.h"
#include "metafile/MetafileRecorder.h"

/// A canvas that records into a metafile, with the 96-per-inch screen as reference device: in
/// MM_TEXT one logical unit is one reference pixel. Freeing the canvas finishes the recording.
class TMetafileCanvas : public TCanvas {
public:
    explicit TMetafileCanvas(TMetafile& target);
    ~TMetafileCanvas();
    TMetafileCanvas(const TMetafileCanvas&) = delete;
    TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

    TMetafile& Metafile() const { return FRecorder.Target(); }

private:
    TMetafileRecorder FRecorder;
};
