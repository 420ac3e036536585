#pragma once

#include <QString>
#include <stdexcept>

/// kxprint's exit statuses.
enum TKxExitCode : int {
    ecDone = 0,
    ecUsage = 2,
    ecLabel = 3,
    ecAlias = 4,
    ecDatabase = 5,
    ecOutput = 6,
    ecRun = 7,
};

/// A run that cannot go on: the exit status and the message that says why.
class EKxJobFailure : public std::runtime_error {
public:
    EKxJobFailure(int Code, const QString& Text)
        : std::runtime_error(Text.toStdString())
        , FCode(Code)
        , FText(Text) {}

    int Code() const { return FCode; }
    const QString& Text() const { return FText; }

private:
    int FCode;
    QString FText;
};
