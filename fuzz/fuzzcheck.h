// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every fuzz target checks: an operation either returns or throws one of
// the calculator's own errors with a message; anything else (another
// exception, a broken invariant) stops the run with a crash that libFuzzer
// records together with its input.

#include "eval/errors.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

namespace numra::fuzz {

// __builtin_trap rather than assert: the check must hold in every build type.
inline void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// Runs the operation; returns the message of the numra::Error it threw (never
// empty: the user sees it in the error box), or nothing when it returned.
// Any other exception is a finding.
template <typename Operation>
std::optional<QString> failureOf(Operation&& operation)
{
    try {
        std::forward<Operation>(operation)();
        return std::nullopt;
    } catch (const Error& error) {
        require(!error.message().isEmpty());
        return error.message();
    } catch (...) {
        __builtin_trap();
    }
}

// True when the operation returned, false when it threw numra::Error.
template <typename Operation>
bool guarded(Operation&& operation)
{
    return !failureOf(std::forward<Operation>(operation)).has_value();
}

// One scratch folder for the whole fuzzing run, in memory where possible,
// for the targets that go through files.
inline QString scratchFolder()
{
    static const QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                          ? QStringLiteral("/dev/shm/numra-fuzz-XXXXXX")
                                          : QDir::tempPath() + QStringLiteral("/numra-fuzz-XXXXXX"));
    require(folder.isValid());
    return folder.path();
}

// The bytes as UTF-8 text, the way a paste or a loaded file arrives.
inline QString utf8Text(const std::uint8_t* data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The bytes as raw UTF-16 code units (lone surrogates and all), which is what
// the entry field may hold after any typing; an odd last byte is dropped.
inline QString utf16Text(const std::uint8_t* data, std::size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text[qsizetype(i / 2)] = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return text;
}

} // namespace numra::fuzz
