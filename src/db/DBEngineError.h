#pragma once

#include <QString>
#include <stdexcept>

/// The error the database layer raises: an alias, a table or a filter that cannot be used. The message
/// names what failed (alias, table, field, position in a filter) and what the engine said, in words a
/// user can act on.
class EDBEngineError : public std::runtime_error {
public:
    explicit EDBEngineError(const QString& message)
        : std::runtime_error(message.toStdString())
        , FMessage(message) {}

    /// The message as Unicode text, for the message hook.
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};
