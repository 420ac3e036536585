#pragma once

#include <memory>
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "gdi/Graphic.h"
#include "kxlab_export.h"

class QSvgRenderer;
class TMetafile;

/// What a picture holds.
enum class TPictureKind { Empty, Bitmap, Metafile, Svg };

/// A picture read from a file or from bytes (a database picture field): BMP, PNG, JPEG, GIF and ICO
/// through Qt's image readers, SVG through Qt's renderer, EMF and WMF through our own readers (as a
/// recorded page). It draws at its natural size or stretched like any graphic. Copies share the
/// loaded graphic, which is never changed after loading.
///
/// Loading replaces the content only when it succeeds; otherwise it throws EInvalidGraphic with a
/// message that names the file and the reason, and the picture keeps what it had.
class KXLAB_EXPORT TPicture : public TGraphic {
public:
    /// Largest picture file or field read, in bytes.
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    TPicture();
    ~TPicture() override;
    TPicture(const TPicture& other);
    TPicture& operator=(const TPicture& other);

    /// Reads a regular file of at most MaxBytes; the format is told by the content, not the name. A
    /// relative name the working folder lacks is looked for beside the label being read
    /// (PicturePath); messages name the file as given.
    void LoadFromFile(const QString& fileName);
    /// Reads the bytes of a picture file; source names them in messages (a field name, say).
    void LoadFromBytes(const QByteArray& bytes, const QString& source);
    /// The copy of another picture (shared content).
    void Assign(const TPicture& other) { *this = other; }
    void Clear();

    TPictureKind Kind() const;
    /// Natural size in pixels: the bitmap's, the SVG's default size, or the page's reference size.
    int Width() const override;
    int Height() const override;
    void Draw(TCanvas& canvas, const TRect& r) const override;

    /// The bitmap, or a null image for other kinds.
    QImage Bitmap() const;
    /// The recorded page of an EMF or WMF picture, or nullptr.
    const TMetafile* Metafile() const;

private:
    QSize Size() const;

    struct TContent;
    std::shared_ptr<const TContent> FContent;
};
