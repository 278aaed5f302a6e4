// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language of the texts the user reads: the window's, numra-eval's and
// the formula language's error messages.

namespace numra {

// Every start is German; the language menu switches for the run.
enum class Language { German, English };

} // namespace numra
