#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <QImage>
#include <QString>
#include <vector>

#include "common/PageRecording.h"
#include "elements/KxDrawContext.h"
#include "elements/KxOwner.h"
#include "gdi/Bitmap.h"
#include "gdi/Canvas.h"

/// The designer control as elements see it, for tests and benchmarks.
///
/// Each drawing target draws on Canvases[target]: at first a canvas recording into a page of the
/// target's own (read back with Ops and Texts); DrawOnBitmaps points the targets at white bitmaps,
/// and a test may point a target at any canvas, or at none (nullptr: the target is not available).
/// Label units map to client pixels as in the control, WindowX(x) = Round(x / Scale) + OriginX.
/// Context(target) is what a caller hands an element to draw there.
class TTestOwner : public TKxOwner {
public:
    /// Scale in label units per client pixel (1 or more); the origin in client pixels.
    explicit TTestOwner(int32_t scale = 1, int32_t originX = 0, int32_t originY = 0);
    TTestOwner(const TTestOwner&) = delete;
    TTestOwner& operator=(const TTestOwner&) = delete;

    TKxUnits Units = unMM;
    int32_t Scale;
    int32_t OriginX;
    int32_t OriginY;
    int32_t GuideLeft = 0;
    int32_t GuideTop = 0;
    TTable* Table = nullptr;
    std::array<TCanvas*, 3> Canvases{};

    /// What a target's page recorded, optionally of one kind only.
    std::vector<TRecordedOp> Ops(TKxDrawType target, std::optional<TMetaOp> only = {}) const;
    std::vector<TRecordedOp> Texts(TKxDrawType target) const { return Ops(target, TMetaOp::Text); }
    void ClearPage(TKxDrawType target);

    /// Points every target at a white bitmap of its own, width by height pixels. The first call
    /// makes them: the design surface maps label units as the control does at the scale and origin
    /// of that moment, paper and preview take one label unit per pixel. Later calls wipe and resize
    /// them, keeping every canvas setting.
    void DrawOnBitmaps(int width = 400, int height = 300);
    /// A target's bitmap; DrawOnBitmaps made it.
    TBitmap& Bitmap(TKxDrawType target) { return *FBitmaps.at(target); }
    const QImage& Image(TKxDrawType target) const { return FBitmaps.at(target)->Image(); }
    /// Every target draws on canvas.
    void DrawAllOn(TCanvas* canvas) { Canvases.fill(canvas); }

    TKxUnits GetUnits() const override { return Units; }
    int32_t GetGuideLeft() const override { return GuideLeft; }
    int32_t GetGuideTop() const override { return GuideTop; }
    int32_t WindowX(int32_t x) const;
    int32_t WindowY(int32_t y) const;
    TKxScreenMap Screen() const { return {Scale, OriginX, OriginY}; }
    /// Throws std::out_of_range for a target that is not one of the three.
    TCanvas* GetCanvas(TKxDrawType DrawType) { return Canvases.at(DrawType); }
    /// What an element draws with on Target: its canvas, the screen mapping, and with data the Table
    /// as the current record.
    TKxDrawContext Context(TKxDrawType Target, bool WithData = false) {
        return {Canvases.at(Target), Target, WithData, WithData ? Table : nullptr, Screen()};
    }

private:
    std::array<TPageRecording, 3> FPages;
    std::array<TCanvas, 3> FPageCanvases{TCanvas(&FPages[0].Device()), TCanvas(&FPages[1].Device()),
                                         TCanvas(&FPages[2].Device())};
    std::array<std::unique_ptr<TBitmap>, 3> FBitmaps;
};

class TKxElement;
/// Draws E on Target the way a label hands it the context: the canvas, mapping and record of the test
/// owner that owns E (nothing to draw on when E's owner is not one).
void KxTestDraw(TKxElement& E, const TPoint& Origin, TKxDrawType Target, bool WithData);
/// E hit-tested at P (client pixels) under its test owner's mapping.
bool KxTestHit(const TKxElement& E, const TPoint& P);
