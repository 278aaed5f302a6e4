// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/scriptvalue.h"

#include <array>

namespace numra {

namespace {

// Indexed by ValueKind; custom kinds show their class name without the "T".
constexpr std::array<const char16_t*, 26> kKindNames = {
    u"Empty", u"Null", u"Smallint", u"Integer", u"Single", u"Double", u"Currency",
    u"Date", u"OleStr", u"Dispatch", u"Boolean", u"ShortInt", u"Byte", u"Word",
    u"LongWord", u"Int64", u"UInt64", u"String", u"UnicodeString",
    u"SetVariantType", u"PointerVariantType", u"ObjectVariantType",
    u"ClassVariantType", u"RecordVariantType", u"ArrayVariantType", u"Unknown",
};
static_assert(kKindNames.size() == std::size_t(ValueKind::Unknown) + 1,
              "one name per value kind");

// Payloads of the kinds that type-name casts produce keep their own width.
std::int64_t narrowToKind(ValueKind kind, std::int64_t v)
{
    switch (kind) {
    case ValueKind::Smallint: return std::int16_t(v);
    case ValueKind::ShortInt: return std::int8_t(v);
    case ValueKind::Byte: return std::uint8_t(v);
    case ValueKind::Word: return std::uint16_t(v);
    case ValueKind::Integer: return std::int32_t(v);
    case ValueKind::LongWord:
    case ValueKind::Set:
    case ValueKind::Pointer: return std::uint32_t(v);
    case ValueKind::Boolean: return v != 0 ? -1 : 0;
    default: return v;
    }
}

} // namespace

QString kindName(ValueKind kind)
{
    return QString::fromUtf16(kKindNames[std::size_t(kind)]);
}

ValueError ValueError::conversion(ValueKind from, ValueKind to)
{
    return ValueError(QStringLiteral("Variante des Typs (%1) konnte nicht in Typ (%2) konvertiert werden")
                          .arg(kindName(from), kindName(to)));
}

ValueError ValueError::invalidCast()
{
    return ValueError(QStringLiteral("Ungültige Varianten-Typumwandlung"));
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
ScriptValue ScriptValue::dispatch() { return {ValueKind::Dispatch, 0, 0.0}; }

ScriptValue ScriptValue::ofKind(ValueKind kind, std::int64_t intPayload, double realPayload)
{
    return {kind, narrowToKind(kind, intPayload), realPayload};
}

bool ScriptValue::isText() const
{
    return kind_ == ValueKind::OleStr || kind_ == ValueKind::String
        || kind_ == ValueKind::UnicodeString;
}

} // namespace numra
