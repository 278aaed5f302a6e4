// SPDX-License-Identifier: GPL-3.0-or-later
// Reads formulas, one per line with "." as separator, and prints for each
// what "=" would show: the general form and the two-decimal form with ","
// separated by a tab, or "error: " and the message. A formula with "^" goes
// to the power-formula reader, any other to the interpreter; the arithmetic
// is the exact mode's unless --binary is given. The office-formula oracle
// (office_oracle.py) compares these lines with Python's decimal module.

#include "eval/errors.h"
#include "eval/interpreter.h"
#include "eval/number.h"
#include "eval/powerformula.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

using namespace numra;

int main(int argc, char** argv)
{
    const bool binary = argc > 1 && std::strcmp(argv[1], "--binary") == 0;
    const Arithmetic arithmetic = binary ? Arithmetic::Binary : Arithmetic::Decimal;
    const ValueContext context{u',', arithmetic};
    Interpreter interpreter(context);
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        const QString formula = QString::fromUtf8(line);
        std::string shown;
        try {
            Number value;
            if (formula.contains(u'^')) {
                value = evaluatePowerFormula(formula, arithmetic);
            } else {
                interpreter.setSource(formula);
                interpreter.run(arithmetic);
                value = toNumber(interpreter.result(), context);
            }
            shown = (generalForm(value, u',').toString() + u'\t' + twoDecimalForm(value, u',').toString()).toStdString();
        } catch (const Error& e) {
            shown = "error: " + e.message().toStdString();
        }
        std::cout << shown << '\n';
    }
    return 0;
}
