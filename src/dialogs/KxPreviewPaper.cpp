#include "dialogs/KxPreviewPaper.h"

#include <algorithm>
#include <cmath>
#include <QPainter>

#include "metafile/Metafile.h"

TKxPreviewPaper::TKxPreviewPaper(QWidget* parent)
    : QWidget(parent) {}

void TKxPreviewPaper::SetPage(std::shared_ptr<const TMetafile> Page) {
    if (Page == FPage) return;
    FPage = std::move(Page);
    FPicture = QImage();
    FPicturePage = nullptr;
    update();
}

bool TKxPreviewPaper::HasPage() const {
    return FPage && !FPage->Empty() && FPage->Width() > 0 && FPage->Height() > 0;
}

void TKxPreviewPaper::paintEvent(QPaintEvent*) {
    if (!HasPage() || width() <= 0 || height() <= 0) return;
    if (FPicturePage != FPage.get() || FPicture.size() != size()) {
        FPicture = Picture();
        FPicturePage = FPage.get();
    }
    QPainter(this).drawImage(0, 0, FPicture);
}

QImage TKxPreviewPaper::Picture() const {
    // A tenth of a millimetre, the finest rule a label draws, is a whole pixel from 254 per inch on.
    constexpr double Fine = 254;
    constexpr double MostPixels = 16e6;
    const double dpi = width() / (std::max(FPage->MMWidth(), 1) / 2540.0);
    const double pixels = double(width()) * height();
    const int factor = std::max(1, std::min(static_cast<int>(std::ceil(Fine / std::max(dpi, 1.0))),
                                            static_cast<int>(std::sqrt(MostPixels / pixels))));
    if (factor == 1) return FPage->Render(width(), height());
    return FPage->Render(width() * factor, height() * factor)
        .scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
