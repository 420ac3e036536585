#pragma once

#include <QString>
#include <stdexcept>

/// The designer's own failure with a fixed message for the user, such as a label file that cannot
/// be loaded ("No se puede leer el archivo elegido").
class EKxError : public std::runtime_error {
public:
    explicit EKxError(const QString& message)
        : std::runtime_error(message.toStdString())
        , FMessage(message) {}

    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};
