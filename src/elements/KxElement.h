#pragma once

#include <cstdint>
#include <QDataStream>
#include <QString>

#include "base/Color.h"
#include "base/Geometry.h"
#include "elements/KxDrawContext.h"
#include "elements/KxOwner.h"
#include "kxlab_export.h"
#include "types/Kxtypes.h"

class TKxExtension;

/// Base of every label element. Lengths are label units (tenths of a millimetre); the public
/// Get/Set operations convert to and from the owner's unit. The element keeps a plain pointer to
/// its owner and never frees it; the owner's element list owns the element.
class KXLAB_EXPORT TKxElement {
public:
    explicit TKxElement(TKxOwner* AOwner);
    virtual ~TKxElement() = default;
    TKxElement(const TKxElement&) = delete;
    TKxElement& operator=(const TKxElement&) = delete;

    /// True when P (client pixels of a surface mapped by Screen) lies in Bounds: left and top edges
    /// inside, right and bottom outside.
    virtual bool PointInObject(const TPoint& P, const TKxScreenMap& Screen) const;
    /// Draws on the context's canvas with Origin (label units) added to the points. On the design
    /// surface (tdLab) the element also stores Bounds in the context's screen mapping.
    virtual void Draw(const TPoint& Origin, const TKxDrawContext& C) = 0;
    /// Writes the element's record. A concrete class writes its tag byte first, then its parent's
    /// fields; this base writes the base block only.
    virtual void SaveToStream(QDataStream& S) const;
    /// Reads the record written by SaveToStream, without the tag. Version is the label file
    /// version; anything but 14 is the previous format, which lacks Printable and ID.
    virtual void LoadFromStream(QDataStream& S, int Version);
    /// Values of features newer than the file format (TKxExtension), written in an extension record
    /// in front of the element's own; an element that uses none adds nothing, so its record reads
    /// exactly as before.
    virtual void SaveExtension(TKxExtension& X) const;
    /// Takes the values SaveExtension wrote out of X; keys it does not know stay in X.
    virtual void LoadExtension(TKxExtension& X);
    /// Values the printed label does not depend on, kept in the label file's notes (TKxExtension), which
    /// older readers pass over.
    virtual void SaveNotes(TKxExtension& X) const;
    /// Takes the values SaveNotes wrote out of X.
    virtual void LoadNotes(TKxExtension& X);
    /// Opens what the record names outside itself (a picture element's file). Called once the whole
    /// label file or clipboard record has been read, so a file that fails to read opens nothing.
    virtual void Loaded() {}
    virtual TKxEle ElementType() const = 0;

    /// P1 in the owner's unit.
    TPoint2D GetP1() const;
    void SetP1(const TPoint2D& Value);
    /// P2 in the owner's unit.
    TPoint2D GetP2() const;
    void SetP2(const TPoint2D& Value);
    /// Pen width in millimetres whatever the owner's unit.
    float GetPenWidth() const;
    void SetPenWidth(float Value);
    void SetID(const QString& Value);
    /// Adds Delta (owner's unit) to both points.
    void Move(const TPoint2D& Delta);
    /// eaLeft puts P1.X on the left guide, eaTop puts P1.Y on the top guide, both points moving
    /// together; eaRight and eaBottom move nothing.
    void Align(TKxEleAlign Kind);

    TKxOwner* const Owner;
    TPoint P1;
    TPoint P2;
    int32_t PenWidth = 1;
    /// On-screen rectangle in client pixels, as last drawn on the design surface.
    TRect Bounds;
    QString ID;
    TColor Color = clBlack;
    TColor BackColor = clWhite;
    TColor LineColor = clRed;
    /// Platform pen style ordinal (0 solid).
    uint8_t PenStyle = 0;
    bool Border = false;
    bool Transparent = true;
    /// Drawn for tdPrint and tdPreview; always drawn on the design surface.
    bool Printable = true;
    /// Degrees: 0, 90, 180 or 270.
    int32_t Angle = 0;
    int32_t CharSpace = 0;
    /// The designer leaves the element where it is: drags, nudges and arrange commands pass it over.
    /// Stored in the element's extension record, so only a label that locks something changes bytes.
    bool Locked = false;

protected:
    TKxUnits Units() const;
    /// The context's canvas, or nullptr when nothing is to be drawn there: a target that is not one
    /// of the three, no canvas, or paper and preview for an element that is not Printable.
    TCanvas* DrawCanvas(const TKxDrawContext& C) const;
    /// Origin + P in label units, saturated to the 32-bit range.
    static TPoint Placed(const TPoint& Origin, const TPoint& P);
    /// The box from Origin + P1 to Origin + P2 in label units, saturated to the 32-bit range.
    TRect PlacedBox(const TPoint& Origin) const;
    /// Where a W x H cell (client pixels) turned by Angle degrees counter-clockwise about its
    /// top-left corner (X, Y) lies: the quarter turns as RotateBorder gives them, any other angle as
    /// the rectangle around the turned cell, so the bounds always follow the drawn glyphs.
    static TRect TurnedBounds(int32_t Angle, int32_t X, int32_t Y, int32_t W, int32_t H);
    /// Bounds of a text cell of Extent (label units) written at P1 and turned by Angle, P1 taken as
    /// the unturned top-left corner; Origin plays no part.
    static TRect CellBounds(const TSize& Extent, int32_t Angle, const TPoint& P1, const TKxScreenMap& Screen);
    TRect CellBounds(const TSize& Extent, const TKxScreenMap& Screen) const {
        return CellBounds(Extent, Angle, P1, Screen);
    }
    /// The box from P1 to P2 in client pixels.
    TRect WindowBox(const TKxScreenMap& Screen) const;
    TPoint2D ToUnits(const TPoint& P) const;
    TPoint FromUnits(const TPoint2D& V) const;
};
