// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replaces a QString's text by copying into the buffer it has: once that
// buffer is large enough and not shared, a new text costs no allocation,
// which keeps the calculator's per-formula loop free of them.

#include <QString>
#include <QStringView>
#include <cstring>
#include <functional>

namespace numra {

inline void copyInto(QString& target, QStringView text)
{
    const QChar* buffer = target.constData();
    const std::less<const QChar*> before;
    if (!before(text.data(), buffer) && before(text.data(), buffer + target.size())) {
        target = text.toString(); // a part of target itself
        return;
    }
    if (target.size() != text.size())
        target.resize(text.size());
    if (!text.isEmpty())
        std::memcpy(target.data(), text.data(), std::size_t(text.size()) * sizeof(QChar));
}

} // namespace numra
