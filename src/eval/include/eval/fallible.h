// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Errors as values, for the errors a formula commonly ends in: an arithmetic
// fault ("1/0") and a formula that breaks off ("12+*3"). Throwing one costs
// microseconds of unwinding for every frame that catches and rethrows it,
// many times the cost of the formula itself, so the evaluation path hands
// these back as a failed Status up to the calculator's command boundary,
// which reports it exactly as it would have caught it: the same Error, with
// its message and its place. Rare errors are still thrown; both ways carry
// the same Error objects.

#include "eval/errors.h"

#include <memory>
#include <utility>

namespace numra {

// Nothing, or the error an operation failed with.
class [[nodiscard]] Status {
public:
    Status() = default;
    // E is the error's own class, so that orThrow() throws it as that class.
    template <class E>
    static Status failure(E error)
    {
        Status status;
        status.error_ = std::make_unique<E>(std::move(error));
        return status;
    }

    bool ok() const noexcept { return !error_; }
    explicit operator bool() const noexcept { return ok(); }
    // Only for a failure.
    Error& error() const noexcept { return *error_; }
    // For callers that report errors as exceptions.
    void orThrow() const
    {
        if (error_)
            error_->raise();
    }

private:
    std::unique_ptr<Error> error_;
};

// A value, or the error that stopped it from being computed.
template <class T>
class [[nodiscard]] Fallible {
public:
    Fallible(T value) : value_(std::move(value)) {}
    // failed: a failure.
    Fallible(Status failed) : status_(std::move(failed)) {}

    bool ok() const noexcept { return status_.ok(); }
    explicit operator bool() const noexcept { return ok(); }
    // Only for a value.
    T& operator*() noexcept { return value_; }
    const T& operator*() const noexcept { return value_; }
    const T* operator->() const noexcept { return &value_; }
    // Only for a failure.
    Error& error() const noexcept { return status_.error(); }
    Status status() && noexcept { return std::move(status_); }
    T orThrow() &&
    {
        status_.orThrow();
        return std::move(value_);
    }

private:
    T value_{};
    Status status_;
};

} // namespace numra
