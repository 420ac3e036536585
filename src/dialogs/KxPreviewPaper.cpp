#include "dialogs/KxPreviewPaper.h"

#include "gdi/Canvas.h"
#include "gdi/PainterDevice.h"
#include "metafile/Metafile.h"

TKxPreviewPaper::TKxPreviewPaper(QWidget* parent)
    : QWidget(parent) {}

void TKxPreviewPaper::SetPage(std::shared_ptr<const TMetafile> Page) {
    if (Page == FPage) return;
    FPage = std::move(Page);
    update();
}

bool TKxPreviewPaper::HasPage() const {
    return FPage && !FPage->Empty() && FPage->Width() > 0 && FPage->Height() > 0;
}

void TKxPreviewPaper::paintEvent(QPaintEvent*) {
    if (!HasPage() || width() <= 0 || height() <= 0) return;
    TPainterDevice device;
    if (!device.Begin(this)) return;
    TCanvas canvas(&device);
    FPage->Draw(canvas, TRect{0, 0, width(), height()});
    device.End();
}
