#pragma once

#include <cstdint>

#include "kxlab_export.h"

class TKxQuantities;

/// Where a print or preview run stands: the next cell (row and column from 1), the labels still to
/// draw and the copies of the current record still to draw, and with quantities the current record
/// (from 1). The walk updates it in place, so a caller can see where a run stopped.
struct KXLAB_EXPORT TKxRunState {
    int32_t Row = 1;
    int32_t Col = 1;
    int64_t Count = 0;
    int64_t Rep = 1;
    int64_t Record = 0;
};

/// One step of the walk.
struct KXLAB_EXPORT TKxWalkStep {
    enum TKind : uint8_t { wkCell, wkNewPage, wkEnd };
    TKind Kind = wkEnd;
    /// The cell to draw, for wkCell.
    int32_t Row = 0;
    int32_t Col = 0;
    /// For wkCell: the record's copies are done, move the table Records records on after drawing (more
    /// than one when records of quantity 0 lie between).
    bool NextRecord = false;
    int64_t Records = 0;
};

/// The cells of a run on a sheet of Rows by Cols label cells: along a row left to right, rows top to
/// bottom, then a new sheet, begun only while a label remains. With data, every Repetition cells
/// of one record are followed by a move to the next record; with quantities, each record has copies of its
/// own and records without any are passed over.
///
/// Counts read from a file are not trusted: rows, columns, repetitions and the starting cell below 1
/// count as 1, so every step either draws a label or is one of at most two steps between two labels,
/// and a run ends after at most 3 x Count + 2 steps.
class KXLAB_EXPORT TKxCellWalk {
public:
    /// Quantities, when given with data, set each record's copies in place of Repetition.
    TKxCellWalk(int32_t Rows, int32_t Cols, int32_t Repetition, bool WithData, TKxRunState& State,
                const TKxQuantities* Quantities = nullptr);

    /// Advances the state to the next cell, sheet break or the end. After wkEnd it keeps answering wkEnd.
    TKxWalkStep Next();

    int32_t Rows() const { return FRows; }
    int32_t Cols() const { return FCols; }

    /// Sheets a run from State takes, at least 1: a run without labels still has its one empty page,
    /// and a run that starts below the last row begins with an empty sheet.
    static int64_t PagesNeeded(int32_t Rows, int32_t Cols, const TKxRunState& State);

private:
    int32_t FRows;
    int32_t FCols;
    int32_t FRepetition;
    bool FWithData;
    TKxRunState& FState;
    const TKxQuantities* FQuantities;
};
