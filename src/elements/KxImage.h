#pragma once

#include <memory>
#include <QString>
#include <vector>

#include "elements/KxData.h"
#include "kxlab_export.h"

class TCanvas;
class TTable;
class TGraphic;
class TPicture;

/// A picture drawn in the box from P1 to P2: stretched, kept in proportion, or at its own size with
/// its top-left corner at P1. It comes from FileImage, or in print and preview from the graphic
/// field named Field. Without a picture the element shows a frame with a red message inside.
class KXLAB_EXPORT TKxImage : public TKxData {
public:
    explicit TKxImage(TKxOwner* AOwner);
    ~TKxImage() override;

    void Draw(const TPoint& Origin, const TKxDrawContext& C) override;
    void SaveToStream(QDataStream& S) const override;
    /// Reads the record; the picture is loaded by Loaded.
    void LoadFromStream(QDataStream& S, int Version) override;
    /// Loads the picture from the stored file name unless the element is bound.
    void Loaded() override;
    TKxEle ElementType() const override { return deImage; }

    /// Ignored while DataBase is true. Otherwise stores the name and loads the picture from that file;
    /// a file that cannot be read leaves ImageLoaded false and shows "Invalid filename: " + name.
    void SetFileImage(const QString& Name);

    QString FileImage;
    /// The picture drawn; owned, never null.
    const std::unique_ptr<TPicture> Picture;
    /// Picture holds something to draw.
    bool ImageLoaded = false;
    /// Keep the picture's proportions inside the box, centred.
    bool AspectRatio = true;
    /// Draw at the picture's own size, one picture pixel per label unit, from P1.
    bool AutoSize = false;

private:
    /// Loads the current record's picture from Field; answers false, with a message shown, when the
    /// field is missing or its bytes are not a picture.
    void AssignFromField(TTable* Record);
    void DrawPlaceholder(TCanvas& Canvas, TRect R, const QString& Message) const;
    /// The rectangle the picture is stretched into: R, or its centred part of the picture's shape.
    TRect FittedBox(const TRect& R, const TGraphic& Graphic) const;
};

/// Opens what the elements of Restored name (TKxElement::Loaded), except pictures that Shown already
/// shows under the same file name: those are copied as they are, without reading the file again, so an
/// undone step neither reads nor reports a picture twice.
KXLAB_EXPORT void KxReuseShownPictures(const std::vector<std::unique_ptr<TKxElement>>& Shown,
                                       const std::vector<std::unique_ptr<TKxElement>>& Restored);
