// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and redo of the changes the user makes to the tape: an edited
// formula or note, a row typed in, deleted or moved, the tape cleared or
// replaced by an opened document, and the grand total taken into the entry.
// Rows added by calculations are not steps: undoing an older step leaves
// them where they are. Each step names its rows by id; a row that has left
// the tape since (at its bounds) is skipped.

#include "core/tape.h"

#include <deque>
#include <optional>
#include <variant>
#include <vector>

namespace numra {

inline constexpr std::size_t kMaxTapeUndoSteps = 200;

namespace tapestep {

// A row from one state to another: its formula, result, note or link.
struct Change {
    TapeEntry from;
    TapeEntry to;
};
// A row put on the tape after the row `after` (0: at the front).
struct Insert {
    TapeEntry entry;
    TapeRowId after = 0;
};
struct Remove {
    TapeEntry entry;
    TapeRowId after = 0;
};
// A row moved from after one row to after another.
struct Move {
    TapeRowId row = 0;
    TapeRowId fromAfter = 0;
    TapeRowId toAfter = 0;
};
// The tape's rows replaced (cleared, or a document opened); rows added
// since stay after the rows put back.
struct Replace {
    std::vector<TapeEntry> from;
    std::vector<TapeEntry> to;
};
// The grand total taken into the entry field.
struct TakeOver {
    QString entryFrom;
    QString entryTo;
};

} // namespace tapestep

using TapeStep = std::variant<tapestep::Change, tapestep::Insert, tapestep::Remove, tapestep::Move, tapestep::Replace,
                              tapestep::TakeOver>;

// The step that takes a step back.
TapeStep inverseOf(const TapeStep& step);

class TapeHistory {
public:
    // A new step: what was undone can no longer be redone. The oldest steps
    // go beyond kMaxTapeUndoSteps.
    void record(TapeStep step);
    // The step to apply to undo (the inverse of the last step), or nothing.
    std::optional<TapeStep> undo();
    std::optional<TapeStep> redo();
    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    void clear();

private:
    std::deque<TapeStep> done_;
    std::vector<TapeStep> undone_;
};

} // namespace numra
