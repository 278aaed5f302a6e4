// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/builtins.h"

#include "eval/interpretererror.h"
#include "eval/tokenkind.h"

namespace numra {

namespace {

enum class CastTarget { Integer, Smallint, Byte, Word, LongWord, Double, Date, Boolean, Text, Refused };

struct TypeCast {
    const char* name;
    CastTarget target;
};

// Characters, PChar and objects have no safe conversion from a number.
constexpr TypeCast kTypeCasts[] = {
    {"AnsiString", CastTarget::Text},  {"boolean", CastTarget::Boolean},
    {"bool", CastTarget::Boolean},     {"byte", CastTarget::Byte},
    {"char", CastTarget::Refused},     {"dword", CastTarget::LongWord},
    {"double", CastTarget::Double},    {"integer", CastTarget::Integer},
    {"longint", CastTarget::Integer},  {"longbool", CastTarget::Boolean},
    {"PChar", CastTarget::Refused},    {"string", CastTarget::Text},
    {"ShortString", CastTarget::Text}, {"smallint", CastTarget::Smallint},
    {"TObject", CastTarget::Refused},  {"tdatetime", CastTarget::Date},
    {"word", CastTarget::Word},        {"wordbool", CastTarget::Boolean},
};

constexpr const char* kAutomationFunctions[] = {"CreateOleObject", "GetActiveOleObject", "GetOleObject"};

void requireOneArgument(const CallArguments& args)
{
    if (args.count() > 1)
        throw InterpreterError(errcode::TooManyParameters, -1);
    if (args.count() < 1)
        throw InterpreterError(errcode::NotEnoughParameters, -1);
}

// Null passes: its conversion raises its own error.
bool isNumberKind(ValueKind kind)
{
    return kind == ValueKind::Empty || kind == ValueKind::Null || isOrdinal(kind) || isReal(kind)
        || isDecimal(kind);
}

// Integer kinds narrower than 32 bits refuse values they cannot hold rather
// than wrapping them.
ScriptValue narrowInteger(const ScriptValue& value, ValueKind kind, std::int64_t low, std::int64_t high,
                          const ValueContext& context)
{
    const std::int64_t v = toInt64(value, context);
    if (v < low || v > high)
        throw ValueError::conversionOverflow(value.kind(), kind);
    return ScriptValue::ofKind(kind, v);
}

ScriptValue castTo(CastTarget target, const ScriptValue& value, const ValueContext& context)
{
    if (target == CastTarget::Text) {
        if (!value.isText())
            throw InterpreterError(errcode::TypeMismatch, -1);
        return ScriptValue::text(value.textPayload());
    }
    if (target == CastTarget::Refused || !isNumberKind(value.kind()))
        throw InterpreterError(errcode::TypeMismatch, -1);
    switch (target) {
    case CastTarget::Integer:
        return ScriptValue::integer(toInt32(value, context));
    case CastTarget::Smallint:
        return narrowInteger(value, ValueKind::Smallint, -32768, 32767, context);
    case CastTarget::Byte:
        return narrowInteger(value, ValueKind::Byte, 0, 255, context);
    case CastTarget::Word:
        return narrowInteger(value, ValueKind::Word, 0, 65535, context);
    case CastTarget::LongWord:
        return narrowInteger(value, ValueKind::LongWord, 0, 4294967295LL, context);
    case CastTarget::Double: // the real of the evaluation's arithmetic
        if (context.arithmetic == Arithmetic::Decimal)
            return ScriptValue::decimal(toDecimal(value, context));
        return ScriptValue::dbl(toDouble(value, context));
    case CastTarget::Date:
        return ScriptValue::ofKind(ValueKind::Date, 0, toDouble(value, context));
    case CastTarget::Boolean:
        return ScriptValue::boolean(toBoolean(value, context));
    default:
        throw InterpreterError(errcode::TypeMismatch, -1);
    }
}

} // namespace

bool lookupBuiltin(QStringView name, const CallArguments& args, const ValueContext& context,
                   ScriptValue& result)
{
    // Square-bracket arguments are asked only of variables.
    if (args.indexed)
        return false;
    if (sameNameIgnoringCase(name, "nil")) {
        result = ScriptValue::pointer(0);
        return true;
    }
    if (sameNameIgnoringCase(name, "Null")) {
        result = ScriptValue::null();
        return true;
    }
    for (const char* function : kAutomationFunctions) {
        if (sameNameIgnoringCase(name, function)) {
            requireOneArgument(args);
            throw InterpreterError(errcode::AccessDenied, -1, QString::fromLatin1(function));
        }
    }
    for (const TypeCast& cast : kTypeCasts) {
        if (sameNameIgnoringCase(name, cast.name)) {
            requireOneArgument(args);
            if (args.hasOpenArray)
                throw InterpreterError(errcode::TypeMismatch, -1);
            result = castTo(cast.target, args.values.front(), context);
            return true;
        }
    }
    return false;
}

} // namespace numra
