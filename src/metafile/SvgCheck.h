#pragma once

#include <QByteArray>
#include <QString>

/// The format Qt's image readers see in Bytes ("png", "svg", "svgz"...), empty when none: they
/// decide by the content, and Qt's SVG renderer is one of them.
QByteArray QtImageFormat(const QByteArray& Bytes);

/// True when the bytes start like an SVG document: markup whose first 4 KB hold an <svg element.
bool LooksLikeSvg(const QByteArray& Bytes);

/// Refuses an SVG document that would make the renderer read anything but its own bytes. Qt's SVG
/// renderer opens the file an <image> names by itself (a pipe there blocks it for good), so a picture
/// may only link to its own elements (#id) and carry its pictures as base64 data: URLs, which are
/// checked in turn when they hold SVG. Also refused: a style sheet import or a url() that is neither,
/// a style sheet processing instruction, an entity declared outside the document, compressed SVG
/// inside SVG, and markup that is not well-formed. A document type's external subset passes: nothing
/// here ever reads it. Raises EInvalidGraphic naming Source and what was found.
void CheckSvgSelfContained(const QByteArray& Bytes, const QString& Source);
