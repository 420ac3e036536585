#pragma once

#include <cstdint>

/// Record types and constants of the platform's Enhanced Metafile format that our writer emits and
/// our reader understands.
namespace Emf {
constexpr uint32_t EMR_HEADER = 1;
constexpr uint32_t EMR_POLYBEZIER = 2;
constexpr uint32_t EMR_POLYGON = 3;
constexpr uint32_t EMR_POLYLINE = 4;
constexpr uint32_t EMR_POLYBEZIERTO = 5;
constexpr uint32_t EMR_POLYLINETO = 6;
constexpr uint32_t EMR_POLYPOLYLINE = 7;
constexpr uint32_t EMR_POLYPOLYGON = 8;
constexpr uint32_t EMR_SETWINDOWEXTEX = 9;
constexpr uint32_t EMR_SETWINDOWORGEX = 10;
constexpr uint32_t EMR_SETVIEWPORTEXTEX = 11;
constexpr uint32_t EMR_SETVIEWPORTORGEX = 12;
constexpr uint32_t EMR_EOF = 14;
constexpr uint32_t EMR_SETPIXELV = 15;
constexpr uint32_t EMR_SETMAPMODE = 17;
constexpr uint32_t EMR_SETBKMODE = 18;
constexpr uint32_t EMR_SETPOLYFILLMODE = 19;
constexpr uint32_t EMR_SETROP2 = 20;
constexpr uint32_t EMR_SETTEXTALIGN = 22;
constexpr uint32_t EMR_SETTEXTCOLOR = 24;
constexpr uint32_t EMR_SETBKCOLOR = 25;
constexpr uint32_t EMR_MOVETOEX = 27;
constexpr uint32_t EMR_SAVEDC = 33;
constexpr uint32_t EMR_RESTOREDC = 34;
constexpr uint32_t EMR_SETWORLDTRANSFORM = 35;
constexpr uint32_t EMR_MODIFYWORLDTRANSFORM = 36;
constexpr uint32_t EMR_SELECTOBJECT = 37;
constexpr uint32_t EMR_CREATEPEN = 38;
constexpr uint32_t EMR_CREATEBRUSHINDIRECT = 39;
constexpr uint32_t EMR_DELETEOBJECT = 40;
constexpr uint32_t EMR_ELLIPSE = 42;
constexpr uint32_t EMR_RECTANGLE = 43;
constexpr uint32_t EMR_ROUNDRECT = 44;
constexpr uint32_t EMR_LINETO = 54;
constexpr uint32_t EMR_BEGINPATH = 59;
constexpr uint32_t EMR_ENDPATH = 60;
constexpr uint32_t EMR_CLOSEFIGURE = 61;
constexpr uint32_t EMR_FILLPATH = 62;
constexpr uint32_t EMR_STROKEANDFILLPATH = 63;
constexpr uint32_t EMR_STROKEPATH = 64;
constexpr uint32_t EMR_ABORTPATH = 68;
constexpr uint32_t EMR_BITBLT = 76;
constexpr uint32_t EMR_STRETCHBLT = 77;
constexpr uint32_t EMR_STRETCHDIBITS = 81;
constexpr uint32_t EMR_EXTCREATEFONTINDIRECTW = 82;
constexpr uint32_t EMR_EXTTEXTOUTA = 83;
constexpr uint32_t EMR_EXTTEXTOUTW = 84;
constexpr uint32_t EMR_POLYBEZIER16 = 85;
constexpr uint32_t EMR_POLYGON16 = 86;
constexpr uint32_t EMR_POLYLINE16 = 87;
constexpr uint32_t EMR_POLYBEZIERTO16 = 88;
constexpr uint32_t EMR_POLYLINETO16 = 89;
constexpr uint32_t EMR_POLYPOLYLINE16 = 90;
constexpr uint32_t EMR_POLYPOLYGON16 = 91;
constexpr uint32_t EMR_EXTCREATEPEN = 95;

/// " EMF" read as a little-endian 32-bit number.
constexpr uint32_t Signature = 0x464D4520;
constexpr uint32_t StockObject = 0x80000000;
constexpr uint32_t NULL_BRUSH = StockObject | 5;
constexpr uint32_t NULL_PEN = StockObject | 8;
constexpr uint32_t SYSTEM_FONT = StockObject | 13;
constexpr uint32_t ETO_OPAQUE = 2;
constexpr uint32_t ETO_CLIPPED = 4;
constexpr uint32_t TRANSPARENT = 1;
constexpr uint32_t OPAQUE = 2;
constexpr uint32_t R2_NOTXORPEN = 10;
constexpr uint32_t R2_COPYPEN = 13;
constexpr uint32_t SRCCOPY = 0x00CC0020;
} // namespace Emf
