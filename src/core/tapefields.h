// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fields of the tape's files: a row per line, its fields separated by
// tabs, and inside them a backslash, tab, LF and CR written \\ \t \n \r, so
// that a row stays one line and its texts come back exactly.

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace numra::tapefields {

QString escaped(const QString& text);
// Nothing for an unknown escape, a backslash at the end or a raw CR.
std::optional<QString> unescaped(QStringView field);

} // namespace numra::tapefields
