#include "common/TestOwner.h"

#include "base/Rounding.h"
#include "elements/KxElement.h"

TTestOwner::TTestOwner(int32_t scale, int32_t originX, int32_t originY)
    : Scale(scale)
    , OriginX(originX)
    , OriginY(originY) {
    for (size_t i = 0; i < Canvases.size(); ++i)
        Canvases[i] = &FPageCanvases[i];
}

std::vector<TRecordedOp> TTestOwner::Ops(TKxDrawType target, std::optional<TMetaOp> only) const {
    return FPages.at(target).Ops(only);
}

void TTestOwner::ClearPage(TKxDrawType target) {
    FPages.at(target).Clear();
}

void TTestOwner::DrawOnBitmaps(int width, int height) {
    if (!FBitmaps[tdLab]) {
        for (auto& b : FBitmaps)
            b = std::make_unique<TBitmap>(width, height);
        TCanvas& lab = FBitmaps[tdLab]->Canvas();
        lab.SetMapMode(MM_ISOTROPIC);
        lab.SetWindowExtEx(Scale, Scale);
        lab.SetViewportExtEx(1, 1);
        lab.SetViewportOrgEx(OriginX, OriginY);
    } else {
        // Shrinking first makes an unchanged size wipe too.
        for (auto& b : FBitmaps) {
            b->SetSize(0, 0);
            b->SetSize(width, height);
        }
    }
    for (size_t i = 0; i < Canvases.size(); ++i)
        Canvases[i] = &FBitmaps[i]->Canvas();
}

int32_t TTestOwner::WindowX(int32_t x) const {
    return static_cast<int32_t>(Round(Extended(x) / Scale)) + OriginX;
}

int32_t TTestOwner::WindowY(int32_t y) const {
    return static_cast<int32_t>(Round(Extended(y) / Scale)) + OriginY;
}

void KxTestDraw(TKxElement& E, const TPoint& Origin, TKxDrawType Target, bool WithData) {
    auto* owner = dynamic_cast<TTestOwner*>(E.Owner);
    TKxDrawContext context{nullptr, Target, WithData};
    if (owner && static_cast<size_t>(Target) < owner->Canvases.size())
        context = owner->Context(Target, WithData);
    E.Draw(Origin, context);
}

bool KxTestHit(const TKxElement& E, const TPoint& P) {
    const auto* owner = dynamic_cast<const TTestOwner*>(E.Owner);
    return E.PointInObject(P, owner ? owner->Screen() : TKxScreenMap{});
}
