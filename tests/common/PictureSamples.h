#pragma once

#include <QByteArray>
#include <QRgb>

/// A Width x Height PNG file of one colour.
QByteArray PlainPng(int Width, int Height, QRgb Colour);

/// Bytes as a base64 data: URL of the given media type, as an SVG picture embeds a picture.
QByteArray DataUrl(const char* Type, const QByteArray& Bytes);
