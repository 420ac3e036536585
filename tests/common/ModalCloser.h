#pragma once

#include <memory>

/// Closes every modal window as soon as it shows, while it lives, counting them. For programs that
/// call operations which end in a modal window (a preview shows its window after recording) and only
/// look at what the operation leaves behind. Needs the application object.
class TKxModalCloser {
public:
    TKxModalCloser();
    ~TKxModalCloser();
    TKxModalCloser(const TKxModalCloser&) = delete;
    TKxModalCloser& operator=(const TKxModalCloser&) = delete;

    /// Modal windows closed so far.
    int Closed() const;

private:
    class TFilter;
    std::unique_ptr<TFilter> FFilter;
};
