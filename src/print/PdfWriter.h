#pragma once

#include <memory>
#include <QPaintDevice>

#include "print/PdfEngine.h"

/// A PDF document written straight to a device as it is painted: each page is deflated and written
/// when the next begins, so memory stays flat however many pages a run has. Faces are embedded as
/// TrueType subsets at the end, pictures once however often they are drawn.
///
/// It takes what TPainterDevice draws (solid fills, strokes, glyph runs, images, rectangular clips,
/// any transform) and writes it as compactly as the format allows: a glyph run is one text object,
/// a repeated cell reads alike relative to its anchor. Painting begins the document; the painter's
/// end finishes it.
class TPdfWriter : public QPaintDevice {
public:
    explicit TPdfWriter(QIODevice* device);
    ~TPdfWriter() override;
    TPdfWriter(const TPdfWriter&) = delete;
    TPdfWriter& operator=(const TPdfWriter&) = delete;

    void SetResolution(int dpi);
    void SetPageLayout(const QPageLayout& layout) { FSettings.Layout = layout; }
    void SetTitle(const QString& title) { FSettings.Title = title; }
    void SetCreator(const QString& creator) { FSettings.Creator = creator; }
    /// Ends the page being painted and starts the next.
    void NewPage();

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    TPdfSettings FSettings;
    std::unique_ptr<TPdfEngine> FEngine;
};
