#pragma once

#include <cstdint>
#include <QString>
#include <vector>

#include "base/KxError.h"
#include "kxlab_export.h"

class TTable;

/// The most labels one record may ask for through its quantity field (before the repetitions).
constexpr int64_t KxMaxRecordQuantity = 100000;
/// The most labels a run with quantities may add up to, repetitions included: the largest run a range
/// and a repetition count can ask for, far from the end of a 64-bit count.
constexpr int64_t KxMaxQuantityLabels = int64_t{1} << 62;
/// The most records whose quantities a run keeps: 8 bytes each, 160 MB at most.
constexpr int64_t KxMaxQuantityRecords = 20000000;

/// A quantity that cannot be printed: a value that is not a whole number from 0 to
/// KxMaxRecordQuantity, a field the table does not have, or a run too large to count.
class KXLAB_EXPORT EKxQuantityError : public EKxError {
public:
    explicit EKxQuantityError(const QString& Message, bool UnknownField = false)
        : EKxError(Message)
        , FUnknownField(UnknownField) {}
    /// The table has no field of the name: the run was asked for the wrong one.
    bool UnknownField() const { return FUnknownField; }

private:
    bool FUnknownField;
};

/// The labels each record of a run prints, as running totals: record FirstRecord() + I ends at label
/// End(I) of the run (counted from 0, exclusive), so finding the record of a label is a binary search.
/// Copies are quantities times the run's repetitions; a record of quantity 0 takes no label.
class KXLAB_EXPORT TKxQuantities {
public:
    /// Ends[I] holds the labels of the records from FirstRecord up to FirstRecord + I together.
    TKxQuantities(int64_t FirstRecord, std::vector<int64_t> Ends);

    int64_t FirstRecord() const { return FFirst; }
    /// Records counted, from FirstRecord on.
    int64_t Records() const { return static_cast<int64_t>(FEnds.size()); }
    /// Labels of all the records together.
    int64_t Labels() const { return FEnds.empty() ? 0 : FEnds.back(); }
    /// The labels of Record (from 1); 0 outside the records counted.
    int64_t Copies(int64_t Record) const;

    /// Where label Label (from 0, below Labels()) of the run lies: its record and the copies of that
    /// record from it on, itself included.
    struct TPlace {
        int64_t Record = 0;
        int64_t CopiesLeft = 0;
    };
    TPlace Locate(int64_t Label) const;
    /// The first record after Record that prints a label, and its copies; a place of record 0 when none.
    TPlace NextAfter(int64_t Record) const;

private:
    int64_t FFirst;
    std::vector<int64_t> FEnds;
};

/// Reads field Field of records First to Last (from 1) of the open Table, streaming them once, and
/// answers their labels, each quantity times Repetition. Records past the table's end have no quantity
/// and print nothing. A NULL is an error like any other value that is not a whole number from 0 to
/// KxMaxRecordQuantity: EKxQuantityError names the record, and its key when the table has one.
/// The table is left on its last record read, with its read limit as it was.
KXLAB_EXPORT TKxQuantities KxReadQuantities(TTable& Table, const QString& Field, int64_t First, int64_t Last,
                                            int32_t Repetition);
