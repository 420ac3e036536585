#include "base/Notices.h"

#include <algorithm>

#include "base/Messages.h"

namespace {

TNoticeTally*& CurrentTally() {
    static TNoticeTally* tally = nullptr;
    return tally;
}

} // namespace

void KxNote(TNoticeKind Kind, const QString& Subject, const QString& Detail, const QString& Shown) {
    if (TNoticeTally* tally = CurrentTally()) {
        tally->Count(Kind, Subject, Detail);
        return;
    }
    if (Kind == TNoticeKind::PictureFile || Kind == TNoticeKind::PictureField) ShowMessage(Shown);
}

TNoticeTally::TNoticeTally()
    : FPrevious(CurrentTally()) {
    CurrentTally() = this;
}

TNoticeTally::~TNoticeTally() {
    CurrentTally() = FPrevious;
}

void TNoticeTally::Count(TNoticeKind Kind, const QString& Subject, const QString& Detail) {
    const auto it = std::find_if(FNotices.begin(), FNotices.end(),
                                 [&](const TNotice& n) { return n.Kind == Kind && n.Subject == Subject; });
    if (it != FNotices.end()) {
        ++it->Count;
        return;
    }
    if (static_cast<int>(FNotices.size()) >= MaxSubjects) {
        ++FOthers;
        return;
    }
    FNotices.push_back({Kind, Subject, Detail, 1});
    if (OnFirst) OnFirst(FNotices.back());
}
