#pragma once

#include <cstdint>
#include <optional>
#include <QByteArray>

#include "gdi/CanvasDevice.h"

class TMetafile;
struct TMetaRecord;

/// Writes a recorded page as an Enhanced Metafile. Device units are reference pixels on a
/// 96-per-inch device; each recorded state becomes the mapping, object and text records that differ
/// from the previous operation's, and each operation one drawing record: lines, rectangles, rounded
/// rectangles, ellipses, polygons, pixels, EMR_EXTTEXTOUTW with the layout's advances (character
/// extra and justification included) and EMR_STRETCHDIBITS with a 24-bit bitmap.
class TEmfWriter {
public:
    explicit TEmfWriter(const TMetafile& page);
    QByteArray Bytes();

private:
    class TRecord;
    void Emit(const TRecord& record);
    void Mapping(const TMapping& mapping);
    void Pen(const TPen& pen);
    void Brush(const TBrush& brush);
    void Font(const TLogFont& font);
    void Rop(TPenMode mode);
    void Value(uint32_t type, uint32_t value, std::optional<uint32_t>& last);
    /// Selects a stock object or a created one, then deletes the object it replaces.
    void Select(uint32_t object, uint32_t& current);
    void Operation(const TMetaRecord& record, const TDrawState& state);
    void Text(const TMetaRecord& record, const TDrawState& state);
    void Image(const TMetaRecord& record);

    const TMetafile& FPage;
    QByteArray FOut;
    uint32_t FRecordCount = 0;
    std::optional<TMapping> FMapping;
    std::optional<TPen> FPen;
    std::optional<TBrush> FBrush;
    std::optional<TLogFont> FFont;
    std::optional<uint32_t> FRop, FTextColor, FBkColor, FBkMode, FTextAlign;
    // Each object kind alternates between two handle slots: the new object is selected before the
    // old one is deleted, as the platform requires.
    uint32_t FPenSlot = 0;
    uint32_t FBrushSlot = 0;
    uint32_t FFontSlot = 0;
};
