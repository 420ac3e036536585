#pragma once

#include <cstdint>
#include <optional>
#include <QPointF>
#include <QString>
#include <QStringView>

#include "kxlab_export.h"

/// The shape of one label of a stock.
enum class TKxStockShape : uint8_t {
    /// A rectangle, its corners rounded by CornerRadius.
    Rectangle,
    /// A circle of diameter Width (= Height), with a centre hole when HoleRadius > 0.
    Round,
    /// An ellipse: KxLab cannot draw it.
    Ellipse,
    /// A disc cut straight on two sides: KxLab cannot draw it.
    CutDisc,
    /// A shape the catalogue names that this version does not know (ShapeName).
    Other
};

/// Where a stock definition comes from.
enum class TKxStockSource : uint8_t { BuiltIn, Xml };

/// Why KxLab cannot lay a label out as a stock describes.
enum class TKxStockIssue : uint8_t {
    None,
    /// Ellipses, cut discs and unknown shapes.
    Shape,
    /// More than one shape or layout on one sheet.
    SeveralLayouts,
    /// Narrower than 10 mm or lower than 5 mm: below the smallest label.
    TooSmall,
    /// Neighbouring labels overlap by more than half a millimetre.
    Overlap,
    /// The sheet's paper is not known.
    Paper,
    /// An equivalent whose original is not in the catalogue.
    Original
};

/// One label stock: a sheet of identical labels sold by a maker under a part number. Lengths are
/// millimetres from the paper's top-left corner, as published (not rounded to label units).
struct KXLAB_EXPORT TKxStock {
    QString Maker;
    QString Part;
    QString Description;
    /// The paper as the source names it ("A4", "US-Letter", "Other"), and its size; 0 when unknown.
    QString PaperName;
    double PaperWidth = 0;
    double PaperHeight = 0;

    TKxStockShape Shape = TKxStockShape::Rectangle;
    /// The source's own name of a shape of kind Other.
    QString ShapeName;
    /// One label: for a round one both are the diameter.
    double Width = 0;
    double Height = 0;
    /// Nothing when the source does not say (the label's frame rounding is then left as it is).
    std::optional<double> CornerRadius;
    double HoleRadius = 0;

    /// The layout: Columns across, Rows down, the first label's corner at (Left, Top), the next one
    /// PitchX to the right and PitchY down.
    int32_t Columns = 1;
    int32_t Rows = 1;
    double Left = 0;
    double Top = 0;
    double PitchX = 0;
    double PitchY = 0;
    /// Shapes and layouts the source gives for one sheet; KxLab lays out exactly one. 0 for an
    /// equivalent whose original has not been found (yet).
    int32_t Layouts = 1;

    /// The part number this one is sold as an equivalent of (same maker), or empty.
    QString Equivalent;
    TKxStockSource Source = TKxStockSource::BuiltIn;
    /// The catalogue file it was read from; empty for the built-in set.
    QString File;

    /// Maker and part number, as a user names the stock.
    QString Name() const { return Maker + QLatin1Char(' ') + Part; }
    /// What keeps KxLab from laying a label out like this stock; None when nothing does.
    TKxStockIssue Issue() const;
    bool Available() const { return Issue() == TKxStockIssue::None; }
};

/// The corner of the label in column Col and row Row (from 1) in millimetres from the paper's corner,
/// as the stock publishes it.
KXLAB_EXPORT QPointF StockCellOrigin(const TKxStock& Stock, int32_t Col, int32_t Row);

/// A length as catalogues write it: a number with an optional unit, "63.5mm", "2.625in", "0 pt",
/// "181.4" (points when no unit is given; also cm and pc). Millimetres, or nothing when the text is
/// not such a length or not finite.
KXLAB_EXPORT std::optional<double> KxParseStockLength(QStringView Text);

/// Empty when every number of a stock read from a catalogue is one a sheet can have (sizes above 0,
/// nothing negative or beyond ten metres, counts from 1 to 1000); else what is wrong. A catalogue file
/// holding such a stock is refused.
KXLAB_EXPORT QString KxStockNumbersError(const TKxStock& Stock);
