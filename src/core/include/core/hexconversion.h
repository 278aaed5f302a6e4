// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hexadecimal texts of 32-bit signed integers (two's-complement pattern).

#include <QString>
#include <cstdint>
#include <optional>

namespace numra {

// One or more hexadecimal digits, either case, nothing else (no sign, blanks
// or prefix), at most FFFFFFFF; 80000000 to FFFFFFFF are negative.
std::optional<std::int32_t> parseHexInt32(const QString& text);

// Upper-case digits without prefix or leading zeros: -1 gives "FFFFFFFF".
QString intToHexText(std::int32_t value);

} // namespace numra
