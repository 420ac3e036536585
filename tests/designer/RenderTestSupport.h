#pragma once

#include <QTest>
#include <vector>

#include "designer/KxLabTestSupport.h"
#include "elements/KxElement.h"
#include "gdi/Bitmap.h"
#include "gdi/Canvas.h"

/// One Draw call as an element received it.
struct TDrawCall {
    int Tag = 0;
    TPoint Origin;
    TKxDrawType DrawType = tdLab;
    bool WithData = false;
};

/// A test element: a solid box from P1 to P2 (label units), logging its Draw calls.
class TSwatch : public TKxElement {
public:
    TSwatch(TKxOwner* owner, TRect box, TColor colour, std::vector<TDrawCall>* log = nullptr, int tag = 0)
        : TKxElement(owner)
        , FLog(log)
        , FTag(tag) {
        P1 = box.TopLeft();
        P2 = box.BottomRight();
        Color = colour;
    }
    void Draw(const TPoint& Origin, const TKxDrawContext& C) override {
        if (FLog) FLog->push_back({FTag, Origin, C.Target, C.WithData});
        TCanvas* canvas = C.Canvas;
        if (!canvas) return;
        canvas->Brush = TBrush{.Color = Color, .Style = bsSolid};
        canvas->FillRect({Origin.X + P1.X, Origin.Y + P1.Y, Origin.X + P2.X, Origin.Y + P2.Y});
    }
    TKxEle ElementType() const override { return deRect; }

private:
    std::vector<TDrawCall>* FLog;
    int FTag;
};

/// A designer shown on the offscreen platform, so its surface has a size and is composed.
template <class TLab>
struct TShownLabOf {
    TLab Lab;
    explicit TShownLabOf(int width = 400, int height = 300) {
        Lab.resize(width, height);
        Lab.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&Lab);
    }
    TCanvas& Surface() { return *Lab.SurfaceContext().Canvas; }
    QRgb At(int x, int y) const { return Lab.GetLabScreen().Image().pixel(x, y); }
};
using TShownLab = TShownLabOf<TRecordingLab>;

inline QRgb Rgb(TColor c) {
    return ToQColor(c).rgb();
}
