#include "common/CanvasCell.h"

#include <QImage>
#include <vector>

void DrawCanvasCell(TCanvas& C, int32_t X, int32_t Y) {
    C.Pen = {clBlue, 6, psSolid, pmCopy};
    C.MoveTo(X + 10, Y + 10);
    C.LineTo(X + 300, Y + 90);
    C.Pen = {clBlack, 0, psDash, pmCopy};
    C.LineTo(X + 20, Y + 200);
    C.Pen.Style = psSolid;
    C.LineTo(X + 20, Y + 330);
    C.Pen = {clRed, 4, psInsideFrame, pmCopy};
    C.Brush = {clYellow, bsSolid};
    C.Rectangle(X + 40, Y + 100, X + 160, Y + 180);
    C.RoundRect(X + 170, Y + 100, X + 290, Y + 180, 30, 30);
    C.Brush.Style = bsClear;
    C.Ellipse(X + 300, Y + 100, X + 390, Y + 180);
    C.Rectangle(X + 5, Y + 5, X + 600, Y + 370);
    C.Brush = {clGreen, bsSolid};
    C.Pen.Width = 1;
    const std::vector<TPoint> star{
        {X + 400, Y + 20}, {X + 470, Y + 160}, {X + 330, Y + 60}, {X + 480, Y + 60}};
    C.Polygon(star);
    C.FillRect({X + 500, Y + 20, X + 580, Y + 60});
    C.SetPixels(X + 590, Y + 10, clRed);
    C.Brush = {clBlack, bsSolid};
    C.Pen = {clBlack, 0, psInsideFrame, pmCopy};
    for (int i = 0; i < 20; ++i)
        C.Rectangle(X + 40 + i * 9, Y + 200, X + 43 + i * 9 + i % 3, Y + 300);
    C.Font.SetName(QStringLiteral("Arial"));
    C.Font.SetHeight(35);
    C.Brush = {clAqua, bsSolid};
    C.TextOut(X + 260, Y + 200, QStringLiteral("Price: 12,50 EUR"));
    C.Brush.Style = bsClear;
    TRect box{X + 260, Y + 250, X + 420, Y + 330};
    C.DrawText(QStringLiteral("A paragraph clipped to its box, over three lines or more"), box, DT_WORDBREAK);
    TLogFont turned = C.Font.GetLogFont();
    turned.lfEscapement = 900;
    C.Font.SetLogFont(turned);
    C.TextOut(X + 560, Y + 340, QStringLiteral("turned"));
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    picture.setPixel(0, 0, qRgb(0, 128, 0));
    C.StretchDraw({X + 440, Y + 200, X + 540, Y + 300}, picture);
}
