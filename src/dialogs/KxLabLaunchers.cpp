#include "designer/KxLab.h"

// The property dialogs and the preview window are opened from here, so the designer layer never
// includes a dialog. Each launcher does nothing until its dialog exists.

void TKxLab::PropTxt() {}

void TKxLab::PropAdTxt() {}

void TKxLab::PropPar() {}

void TKxLab::PropBar() {}

void TKxLab::PropSymbol() {}

void TKxLab::PropLin() {}

void TKxLab::PropRect() {}

void TKxLab::PropImage(bool /*IsNew*/) {}

void TKxLab::ShowProp(int /*Page*/) {}

void TKxLab::ShowPreviewWindow() {}
