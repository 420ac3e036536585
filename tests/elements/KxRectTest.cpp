#include <gtest/gtest.h>

#include "common/PixelProbe.h"
#include "common/TestOwner.h"
#include "elements/KxRect.h"

namespace {

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

const QRgb Red = 0xFF0000, White = 0xFFFFFF, Blue = 0x0000FF;

} // namespace

TEST(KxRectDraw, DefaultIsARedBorderInsideTheBoxWithoutFill) {
    for (TKxDrawType target : {tdLab, tdPrint, tdPreview}) {
        TTestOwner owner;
        owner.DrawOnBitmaps();
        TKxRect rect(&owner);
        rect.P1 = {20, 10};
        rect.P2 = {120, 60};
        rect.PenWidth = 4;
        KxTestDraw(rect, {10, 5}, target, false);
        const QImage& image = owner.Image(target);
        // The 4-unit border lies inside (30, 15)-(130, 65).
        EXPECT_EQ(ColourBox(image, clRed), QRect(QPoint(30, 15), QPoint(129, 64)))
            << KxEnumName(target).toStdString();
        EXPECT_EQ(At(image, 33, 40), Red);
        EXPECT_EQ(At(image, 34, 40), White);
        EXPECT_EQ(At(image, 80, 40), White);
    }
}

TEST(KxRectDraw, OpaqueFillsWithBackColor) {
    TTestOwner owner;
    owner.DrawOnBitmaps();
    TKxRect rect(&owner);
    rect.P1 = {20, 10};
    rect.P2 = {120, 60};
    rect.Transparent = false;
    rect.BackColor = clBlue;
    KxTestDraw(rect, {}, tdPrint, false);
    EXPECT_EQ(At(owner.Image(tdPrint), 70, 35), Blue);
    EXPECT_EQ(At(owner.Image(tdPrint), 20, 35), Red);
}

TEST(KxRectDraw, RadioRoundsTheCornersAndCircleIgnoresIt) {
    TTestOwner owner;
    owner.DrawOnBitmaps();
    TKxRect square(&owner), rounded(&owner), circle(&owner);
    for (TKxRect* r : {&square, &rounded, &circle})
        r->P2 = {100, 100};
    rounded.Radio = 50;
    circle.Radio = 50;
    circle.Circle = true;
    KxTestDraw(square, {0, 0}, tdPrint, false);
    KxTestDraw(rounded, {150, 0}, tdPrint, false);
    KxTestDraw(circle, {0, 150}, tdPrint, false);
    const QImage& image = owner.Image(tdPrint);
    EXPECT_EQ(At(image, 0, 0), Red);
    EXPECT_EQ(At(image, 150, 0), White); // the corner is cut by a 50 x 50 ellipse
    EXPECT_EQ(At(image, 150 + 25, 0), Red);
    EXPECT_EQ(At(image, 150 + 6, 6), White);
    EXPECT_EQ(At(image, 0, 150 + 6), White); // an ellipse cuts deeper
    EXPECT_EQ(At(image, 6, 150 + 18), White);
    EXPECT_EQ(At(image, 50, 150), Red);
    EXPECT_EQ(At(image, 0, 200), Red);
}

TEST(KxRectDraw, BoundsOnTheSurfaceOnly) {
    TTestOwner owner(4, 10, 20);
    owner.DrawOnBitmaps();
    TKxRect rect(&owner);
    rect.P1 = {40, 80};
    rect.P2 = {402, 200};
    KxTestDraw(rect, {}, tdPrint, false);
    EXPECT_TRUE(rect.Bounds.IsEmpty());
    KxTestDraw(rect, {}, tdLab, false);
    EXPECT_EQ(rect.Bounds, Rect(20, 40, 110, 70)); // 402 / 4 rounds half to even
    EXPECT_TRUE(KxTestHit(rect, {20, 40}));
    EXPECT_FALSE(KxTestHit(rect, {110, 50}));
    owner.DrawOnBitmaps();
    rect.P2 = {400, 200};
    KxTestDraw(rect, {}, tdLab, false);
    EXPECT_EQ(ColourBox(owner.Image(tdLab), clRed), QRect(QPoint(20, 40), QPoint(109, 69)));
}

TEST(KxRectRadio, InTheOwnersUnit) {
    TTestOwner owner;
    owner.DrawOnBitmaps();
    TKxRect rect(&owner);
    rect.SetRadio(2.5f);
    EXPECT_EQ(rect.Radio, 25);
    owner.Units = unINCH;
    rect.SetRadio(0.5f);
    EXPECT_EQ(rect.Radio, 127);
    EXPECT_NEAR(rect.GetRadio(), 0.5f, 1e-6);
}
