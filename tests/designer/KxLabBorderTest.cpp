#include <gtest/gtest.h>
#include <memory>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include "designer/KxLab.h"
#include "elements/KxRect.h"
#include "gdi/Bitmap.h"

namespace {

// The window as it shows on screen: the composed surface, the overlay, the border and the scroll bars.
QImage Shown(TKxLab& Lab) {
    return Lab.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A shown designer whose label is too big for it, so both scroll bars are there.
struct TShownLab {
    TShownLab(TKxLab::TBorderStyle Style) {
        Lab.SetBorderStyle(Style);
        Lab.resize(200, 150);
        Lab.SetZoom(zm400);
        Lab.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Lab));
    }
    QScrollBar* Bar(Qt::Orientation O) const {
        for (QScrollBar* bar : Lab.findChildren<QScrollBar*>())
            if (bar->orientation() == O) return bar;
        return nullptr;
    }
    TKxLab Lab;
};

} // namespace

TEST(KxLabBorder, SingleDrawsABlackLineRoundTheWindow) {
    TShownLab shown(TKxLab::bsSingle);
    const QImage image = Shown(shown.Lab);
    const int w = image.width(), h = image.height();
    for (const QPoint& p : {QPoint(0, 0), QPoint(w / 2, 0), QPoint(w - 1, h / 2), QPoint(w / 2, h - 1),
                            QPoint(0, h / 2), QPoint(w - 1, h - 1)})
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();
}

TEST(KxLabBorder, NoneLeavesTheEdgeToTheSurface) {
    TShownLab shown(TKxLab::bsNone);
    const QImage image = Shown(shown.Lab);
    // The ruler strip reaches the top edge; the surface colour the left edge below the rulers.
    EXPECT_NE(image.pixelColor(image.width() / 2, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, image.height() / 2),
              shown.Lab.GetLabScreen().Image().pixelColor(0, image.height() / 2));
}

TEST(KxLabBorder, ScrollBarsSitInsideTheBorder) {
    TShownLab single(TKxLab::bsSingle);
    TShownLab none(TKxLab::bsNone);
    ASSERT_TRUE(single.Bar(Qt::Horizontal)->isVisible());
    ASSERT_TRUE(single.Bar(Qt::Vertical)->isVisible());
    const QRect inner = single.Lab.rect().adjusted(1, 1, -1, -1);
    EXPECT_TRUE(inner.contains(single.Bar(Qt::Horizontal)->geometry()));
    EXPECT_TRUE(inner.contains(single.Bar(Qt::Vertical)->geometry()));
    EXPECT_EQ(none.Bar(Qt::Horizontal)->geometry().bottomLeft(), QPoint(0, 149));
}

TEST(KxLabBorder, DoesNotShiftClientCoordinates) {
    TShownLab single(TKxLab::bsSingle);
    TShownLab none(TKxLab::bsNone);
    EXPECT_EQ(single.Lab.WindowX(0), none.Lab.WindowX(0));
    EXPECT_EQ(single.Lab.WindowY(100), none.Lab.WindowY(100));
    EXPECT_EQ(single.Lab.CoordX(60), none.Lab.CoordX(60));
    // The label's corner shows at the same window pixel either way.
    const QImage a = Shown(single.Lab), b = Shown(none.Lab);
    const QPoint corner(single.Lab.GetMinLeft(), single.Lab.GetMinTop());
    EXPECT_EQ(a.pixelColor(corner), b.pixelColor(corner));
    EXPECT_EQ(a.pixelColor(corner + QPoint(20, 20)), b.pixelColor(corner + QPoint(20, 20)));
}

TEST(KxLabBorder, ClicksHitTheSameElementWithOrWithoutIt) {
    for (TKxLab::TBorderStyle style : {TKxLab::bsSingle, TKxLab::bsNone}) {
        TShownLab shown(style);
        auto rect = std::make_unique<TKxRect>(shown.Lab.Label());
        rect->P1 = {0, 0};
        rect->P2 = {100, 100};
        shown.Lab.AddElement(std::move(rect));
        // Drawing places the element's hit area in client pixels.
        shown.Lab.FlipLabScreen(duBoth);
        // One pixel inside the corner of the 10 mm square: on its outline in either style.
        EXPECT_TRUE(shown.Lab.FindElement({shown.Lab.WindowX(0) + 1, shown.Lab.WindowY(0) + 1}))
            << int(style);
    }
}

TEST(KxLabBorder, ChangingTheStyleRepaintsTheEdge) {
    TShownLab shown(TKxLab::bsNone);
    EXPECT_NE(Shown(shown.Lab).pixelColor(0, 0), QColor(Qt::black));
    shown.Lab.SetBorderStyle(TKxLab::bsSingle);
    EXPECT_EQ(Shown(shown.Lab).pixelColor(0, 0), QColor(Qt::black));
}
