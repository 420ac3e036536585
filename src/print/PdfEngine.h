#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPen>
#include <QTransform>
#include <string>
#include <unordered_map>
#include <vector>

#include "gdi/GlyphSink.h"
#include "print/PdfFile.h"
#include "print/PdfFont.h"

class QIODevice;

/// What a document is written to and how: TPdfWriter's settings, read when painting begins.
struct TPdfSettings {
    QIODevice* Device = nullptr;
    int Resolution = 1200;
    QPageLayout Layout{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()};
    QString Title;
    QString Creator;
};

/// The paint engine of TPdfWriter: keeps the file, the page being written and what pages share
/// (faces, pictures). Each operation ensures the frame it needs (transform and clip, one `q` deep)
/// and the colours and line style it uses, writing only what differs from what the page has.
class TPdfEngine : public QPaintEngine, public TGlyphSink {
public:
    explicit TPdfEngine(const TPdfSettings& settings);
    ~TPdfEngine() override;

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override { return QPaintEngine::User; }

    void drawRects(const QRect* rects, int count) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawLines(const QLine* lines, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override;
    void drawTextItem(const QPointF& p, const QTextItem& item) override;

    bool DrawGlyphs(const TRun& run) override;

    /// Ends the page being written and starts the next.
    void NewPage();

private:
    /// What the page's graphics state holds, as far as written.
    struct TGState {
        std::optional<QRgb> Fill;
        std::optional<QRgb> Stroke;
        std::string Line;
    };
    void StartPage();
    void EndPage();
    void Frame(const QTransform& transform, const std::optional<QRectF>& clip);
    void UseFill(QRgb color);
    void UseStroke(const QPen& pen);
    /// Readies pen and brush for a figure; the operator that paints it, or null when nothing shows.
    const char* PaintOperator(bool evenOdd);
    void Point(double x, double y);
    void Path(const QPainterPath& path);
    int ImageObject(const QImage& image);
    /// The face's font and its index, or null when it cannot be embedded.
    TPdfFont* FontFor(const TRun& run, int& index);

    const TPdfSettings& FSettings;
    std::unique_ptr<TPdfFile> FFile;
    int FCatalog = 0, FPages = 0, FResources = 0, FGState = 0, FInfo = 0;
    std::vector<int> FPageObjects;
    std::string FPage;
    bool FPageOpen = false;
    bool FFinished = false;

    // The painter's state as last told, and the frame the page has.
    QPen FPen;
    QBrush FBrush;
    QTransform FTransform;
    std::optional<QRectF> FClip;
    bool FInFrame = false;
    QTransform FFrameTransform;
    std::optional<QRectF> FFrameClip;
    TGState FState;
    TGState FSaved;

    // Faces by identity: their index in FFonts, or -1 for a face that cannot be embedded.
    std::unordered_map<const void*, int> FFontIndex;
    std::vector<std::unique_ptr<TPdfFont>> FFonts;
    QHash<qint64, int> FImagesByKey;
    QHash<QByteArray, int> FImagesByContent;
    std::vector<int> FImageObjects;
};
