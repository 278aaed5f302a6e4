// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tapehistory.h"

namespace numra {

namespace {

struct Inverse {
    TapeStep operator()(const tapestep::Change& s) const { return tapestep::Change{s.to, s.from}; }
    TapeStep operator()(const tapestep::Insert& s) const { return tapestep::Remove{s.entry, s.after}; }
    TapeStep operator()(const tapestep::Remove& s) const { return tapestep::Insert{s.entry, s.after}; }
    TapeStep operator()(const tapestep::Move& s) const { return tapestep::Move{s.row, s.toAfter, s.fromAfter}; }
    TapeStep operator()(const tapestep::Replace& s) const { return tapestep::Replace{s.to, s.from}; }
    TapeStep operator()(const tapestep::TakeOver& s) const { return tapestep::TakeOver{s.entryTo, s.entryFrom}; }
};

} // namespace

TapeStep inverseOf(const TapeStep& step)
{
    return std::visit(Inverse{}, step);
}

void TapeHistory::record(TapeStep step)
{
    undone_.clear();
    done_.push_back(std::move(step));
    if (done_.size() > kMaxTapeUndoSteps)
        done_.pop_front();
}

std::optional<TapeStep> TapeHistory::undo()
{
    if (done_.empty())
        return std::nullopt;
    TapeStep step = std::move(done_.back());
    done_.pop_back();
    TapeStep inverse = inverseOf(step);
    undone_.push_back(std::move(step));
    return inverse;
}

std::optional<TapeStep> TapeHistory::redo()
{
    if (undone_.empty())
        return std::nullopt;
    TapeStep step = std::move(undone_.back());
    undone_.pop_back();
    done_.push_back(step);
    return step;
}

void TapeHistory::clear()
{
    done_.clear();
    undone_.clear();
}

} // namespace numra
