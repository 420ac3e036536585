#include "metafile/MetafileCanvas.h"

TMetafileCanvas::TMetafileCanvas(TMetafile& target)
    : FRecorder(target) {
    SetDevice(&FRecorder);
}

TMetafileCanvas::~TMetafileCanvas() {
    SetDevice(nullptr);
    FRecorder.Target().Squeeze();
}
