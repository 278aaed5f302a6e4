// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The largest inputs a user can hand Numra: formulas of a megabyte, a million
// nested parentheses, signs or "not", chains of ten million operators. The
// tests check that each is answered with a value or a message; bench_bounds
// times them.

#include <QString>
#include <vector>

namespace numra::bounds {

inline constexpr int kMegabyte = 1'000'000;
inline constexpr int kMillion = 1'000'000;
inline constexpr int kTenMillion = 10'000'000;

struct BigText {
    const char* name;
    QString text;
};

// unit repeated until the text is about size characters long, then tail.
inline QString filled(const QString& unit, qsizetype size, const QString& tail = QString())
{
    return unit.repeated(size / unit.size()) + tail;
}

inline QString nested(const QString& open, int depth, const QString& inner, const QString& close = QString())
{
    return open.repeated(depth) + inner + close.repeated(depth);
}

// "var a0, a1, ...: integer; begin Result := 1 end;", about size long.
inline QString manyVariables(qsizetype size)
{
    QString text = QStringLiteral("var ");
    for (int i = 0; text.size() < size; ++i)
        text += QStringLiteral("a%1, ").arg(i);
    return text + QStringLiteral("z: integer; begin Result := 1 end;");
}

inline std::vector<BigText> bigTexts()
{
    return {
        {"chain of 10,000,000 \"+1\"", QStringLiteral("1") + QStringLiteral("+1").repeated(kTenMillion)},
        {"1 and 10,000,000 \"-1\"", QStringLiteral("1") + QStringLiteral("-1").repeated(kTenMillion)},
        {"1,000,000 nested parentheses", nested(QStringLiteral("("), kMillion, QStringLiteral("1"), QStringLiteral(")"))},
        {"1,000,000 signs", QStringLiteral("-").repeated(kMillion) + QStringLiteral("1")},
        {"1,000,000 \"not\"", QStringLiteral("not ").repeated(kMillion) + QStringLiteral("1")},
        {"1,000,000 nested blocks", nested(QStringLiteral("begin "), kMillion, QString(), QStringLiteral("end ")) + u';'},
        {"1 MB of digits", QStringLiteral("9").repeated(kMegabyte)},
        {"1 MB of decimals", QStringLiteral("1.") + QStringLiteral("0").repeated(kMegabyte)},
        {"1 MB of blanks", QStringLiteral(" ").repeated(kMegabyte) + QStringLiteral("1")},
        {"1 MB comment", QStringLiteral("{") + QStringLiteral("x").repeated(kMegabyte) + QStringLiteral("}1")},
        {"1 MB string", QStringLiteral("'") + QStringLiteral("a").repeated(kMegabyte) + QStringLiteral("'")},
        {"1 MB of character codes", filled(QStringLiteral("#65"), kMegabyte)},
        {"1 MB of powers", QStringLiteral("2") + filled(QStringLiteral("^1"), kMegabyte)},
        {"1 MB of mixed operators", QStringLiteral("1") + filled(QStringLiteral("*2+3-4/5"), kMegabyte)},
        {"1 MB of variables", manyVariables(kMegabyte)},
        {"1 MB of assignments",
         QStringLiteral("var a: integer; begin ") + filled(QStringLiteral("a := a + 1; "), kMegabyte)
             + QStringLiteral("Result := a end;")},
        {"a text doubled 40 times",
         QStringLiteral("var a: string; begin a := 'xxxxxxxx'; ") + QStringLiteral("a := a + a; ").repeated(40)
             + QStringLiteral("Result := 1 end;")},
        {"1 MB of joined texts", QStringLiteral("'a'") + filled(QStringLiteral("+'a'"), kMegabyte)},
    };
}

} // namespace numra::bounds
