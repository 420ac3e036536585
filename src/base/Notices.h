#pragma once

#include <cstdint>
#include <functional>
#include <QString>
#include <vector>

#include "kxlab_export.h"

/// What a drawing or a run notes and then goes on after.
enum class TNoticeKind {
    PictureFile,  ///< a picture file that cannot be read: its elements show the placeholder
    PictureField, ///< a record's picture field that cannot be read: the label shows what it held before
    LongText,     ///< a field's text cut to the most characters an element takes
    Barcode,      ///< data a barcode's kind cannot encode: the label shows the invalid mark
    Server        ///< a note of a database server (a NOTICE or WARNING it sent)
};

/// One thing noted: its kind, what it is about (a file name, a field name, an alias), the first
/// words said about it and, in a tally, how many times it was noted.
struct KXLAB_EXPORT TNotice {
    TNoticeKind Kind = TNoticeKind::PictureFile;
    QString Subject;
    QString Detail;
    int64_t Count = 0;
};

/// Notes something that goes on after it. While a TNoticeTally lives it is counted there, so a run
/// can report it once with a count; otherwise a picture's notice shows Shown through ShowMessage (a
/// message box in the designer) and the other kinds are dropped.
KXLAB_EXPORT void KxNote(TNoticeKind Kind, const QString& Subject, const QString& Detail,
                         const QString& Shown = {});

/// Counts the notices of a run while it lives, one entry per kind and subject, in the order first
/// noted: at most MaxSubjects entries, later subjects counted in Others. Tallies nest; the innermost
/// counts.
class KXLAB_EXPORT TNoticeTally {
public:
    static constexpr int MaxSubjects = 100;

    TNoticeTally();
    ~TNoticeTally();
    TNoticeTally(const TNoticeTally&) = delete;
    TNoticeTally& operator=(const TNoticeTally&) = delete;

    /// Called with each entry as it is first made; may raise to end what is being drawn.
    std::function<void(const TNotice&)> OnFirst;

    const std::vector<TNotice>& Notices() const { return FNotices; }
    /// Notices about subjects beyond the first MaxSubjects.
    int64_t Others() const { return FOthers; }

private:
    friend void KxNote(TNoticeKind, const QString&, const QString&, const QString&);
    void Count(TNoticeKind Kind, const QString& Subject, const QString& Detail);

    TNoticeTally* FPrevious = nullptr;
    std::vector<TNotice> FNotices;
    int64_t FOthers = 0;
};
