// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/scriptvalue.h"

namespace numra {

namespace {

// Payloads of the kinds that type-name casts produce keep their own width.
std::int64_t narrowToKind(ValueKind kind, std::int64_t v)
{
    switch (kind) {
    case ValueKind::Smallint: return std::int16_t(v);
    case ValueKind::Byte: return std::uint8_t(v);
    case ValueKind::Word: return std::uint16_t(v);
    case ValueKind::LongWord: return std::uint32_t(v);
    default: return v;
    }
}

} // namespace

QString kindName(ValueKind kind)
{
    return QString::fromUtf16(kValueKinds[std::size_t(kind)].name);
}

ValueError ValueError::conversion(ValueKind from, ValueKind to)
{
    return ValueError(QStringLiteral("Variante des Typs (%1) konnte nicht in Typ (%2) konvertiert werden")
                          .arg(kindName(from), kindName(to)));
}

ValueError ValueError::conversionOverflow(ValueKind from, ValueKind to)
{
    return ValueError(QStringLiteral("Überlauf bei der Konvertierung einer Variante vom Typ (%1) in Typ (%2)")
                          .arg(kindName(from), kindName(to)));
}

ValueError ValueError::invalidOperation()
{
    return ValueError(QStringLiteral("Ungültige Variantenoperation"));
}

ScriptValue ScriptValue::text(const QString& v, ValueKind kind)
{
    ScriptValue value(kind, 0, 0.0);
    value.text_ = v;
    return value;
}

ScriptValue ScriptValue::set(std::uint32_t mask) { return {ValueKind::Set, mask, 0.0}; }
ScriptValue ScriptValue::pointer(std::uint32_t address) { return {ValueKind::Pointer, address, 0.0}; }

ScriptValue ScriptValue::ofKind(ValueKind kind, std::int64_t intPayload, double realPayload)
{
    return {kind, narrowToKind(kind, intPayload), realPayload};
}

} // namespace numra
