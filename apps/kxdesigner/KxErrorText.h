#pragma once

#include <exception>
#include <functional>
#include <QString>

/// An error's message followed by its nested causes, one per line, as a user reads them.
QString KxErrorText(const std::exception& Error);

/// Runs Action; an error it raises is shown to the user (ShowMessage) and answers false.
bool KxShowErrors(const std::function<void()>& Action);
