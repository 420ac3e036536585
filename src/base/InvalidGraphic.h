#pragma once

#include <QString>
#include <stdexcept>

/// A picture or metafile that cannot be read or written: the message names the file (or the source
/// of the bytes) and, for a damaged file, the byte offset where reading stopped.
class EInvalidGraphic : public std::runtime_error {
public:
    explicit EInvalidGraphic(const QString& message)
        : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};
