#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpora in fuzz/corpus/<target>/ from the documented
examples: formulas, scripts, calculation files with each byte-order mark, key
sequences, kept tape files and tape documents. Run it again after changing a table; fuzz.sh only reads the
folders. Files named regress-* are inputs that once broke Numra; they are
kept, and ctest replays them with the seeds."""

import hashlib
import pathlib

HERE = pathlib.Path(__file__).resolve().parent

POWER_FORMULAS = [
    "2^10", "2^0.5", "3+2^2*2", "(1+1)^3", "2^3^2", "2^-2", " 2^3", "2 ^ 3", "1.5^2",
    "2^", "^2", "2^(", "(2^2", "2^2)", "-2^2", "0^5", "0^0", "1^1000", "2^-100000",
    "2^3 +1", "\t2^3", "5.^2", "2^.5", "1.2.3^2", "10^400", "(10^400)", "2*-3^2",
    "2+3 ^4", "0^", "0^(", "8-3-2", "8/4/2", "--2", "+-+2", "(2 )", "2^3abc",
    "10^15", "1/0^1", "99999999999999999999999^2", "2^2+10%", "2^2*50%", "2^2-10%*2",
    # where the exact mode's decimals differ from the binary values
    "1000*1.05^10", "6.25^0.5", "(1/3)*3^1", "(2^-2000)^-1", "10^-3000/10^-3000^2",
    "1.1^100", "27^(1/3)", "0.1234567890123456789012345678901234567^2",
]

SCRIPTS = [
    "12+5*3", "(12+5)*3", "2*-3", "-2*3", "2--3", "-(-3)", "--3", "8-2-1", "2*3+4*5",
    "1+2*3-4/2", "2(3+4)", "5 not 3", "2 3", "'a' 'b'", "*5", "1+2+*3", "()", "(1+2",
    "x", "sqrt(2)", "x:=5", "1<2", "1=1>=1", "[3]=[1,2]", "12.5", "12.", ".5", "1.2.3",
    "1..5", "2147483647", "2147483648", "9223372036854775808", "$FF", "$FFFFFFFF",
    "$100000000", "$", "DIV", "divx", "'it''s'", "''", "#65#66", "'a'#66'c'",
    "{ comment } 1", "(* 1", "1 // rest", "}", "*)", "7/2", "6/3", "7 div 2", "7 mod 2",
    "-7 div 2", "-7 mod 2", "2147483647+1", "100000*100000", "3000000000*2",
    "9223372036854775807+1", "1/0", "0/0", "1 div 0", "1 mod 0", "7.5 div 2", "true+1",
    "'12'+'3'", "'12'+3", "'abc'*2", "not 0", "not true", "-true", "5 shl 2", "1 shl 33",
    "-1 shr 28", "Null+1", "Null or true", "Null=Null", "nil", "integer(5)",
    "CreateOleObject('x')", "5;6", "5 end", "1+2)", "5 .", "program x", " program x",
    "programx", "begin Result:=5 end;0", "begin Result:=5 end", "begin end;0",
    "procedure p; begin end;0", "var a: integer; begin a:=2; Result:=a*3 end;",
    "const c = 4; begin Result:=c end;", "unit u;", "12+5\r\n", "1+1+1+1+1+1+1+1",
    "-2147483648 div -1", "'1,5'*2", "#99999999999", "ä", "x.y", "Null[1]", "(((1)))",
    "100+10%", "200-10%", "1+2+10%", "200*10%", "200/10%", "50%", "(100+10%)*2", "10 %",
    "10%5", "$10%", "(1)(2)", "5[1]",
    # where the exact mode's decimals differ from the binary values
    "0.1+0.2=0.3", "86251.76-86250.82", "504.99-375-35-5-30-59.99", "1/3*3", "8922/1.07",
    "1/(0.1+0.2-0.3)", "0.1*3 div 1", "'0,3'=0.1*3", "double(1)/3", "not 2.5", "-'2,5'",
    "1" + "0" * 308 + ".0*10", "1/0." + "0" * 400 + "1", "0.12345678901234567890123456789012345",
]

# Pasted texts: amounts as people write them, texts that read two ways,
# formulas, columns and rows.
PASTED = [
    "1.234,56 €", "−1.234,56", "1 234 567", "1\u00a0234,56", "1\u202f234,56", "EUR 45,00",
    "45,00 EUR", "€-45,00", "45,00-", "(45,00)", "(1.234,56 €)", "+45", ",5", "5,", "007",
    "1.234", "1,234", "1,5E20", "1,234.56", "12.50 €", "0.011", "1.5", "1,234,567.89",
    "(-45)", "-45,00-", "1 23", "1.2345,00", "12+5*2", "12 Stück", "€", "1E5000",
    "1.234,56\n-45,00\n\n12\n", "12,50\t13,20", "Betrag\n12,50", "Miete\t1.234,56",
    " \t12,50\r\n", "\ufeff12,50\u200b", "9" * 30 + ",99", "0," + "0" * 40 + "1",
]

# Calculation files: a formula in each encoding, with each kind of line break.
FILES = {
    "ansi": b"12+5\r\n",
    "ansi-umlaut": "3*(4+5) \u00e4\r\n".encode("cp1252"),
    "ansi-lf": b"1+2\n3*4\n",
    "ansi-cr": b"1+2\r3",
    "ansi-undefined-bytes": b"\x81\x8d\x8f\x90\x9d",
    "utf8-bom": b"\xef\xbb\xbf12+5\r\n",
    "utf8-bom-invalid": b"\xef\xbb\xbf1+\xff\xfe2",
    "utf8-bom-only": b"\xef\xbb\xbf",
    "utf16le-bom": b"\xff\xfe" + "2^10\r\n".encode("utf-16-le"),
    "utf16be-bom": b"\xfe\xff" + "2^10\r\n".encode("utf-16-be"),
    "utf16le-odd": b"\xff\xfe1\x00+",
    "utf16le-lone-surrogate": b"\xff\xfe" + b"\x00\xd8" + "1".encode("utf-16-le"),
    "double-bom": b"\xef\xbb\xbf\xef\xbb\xbf1",
    "empty": b"",
}

# Kept tape files: valid ones with every kind and escape, and each way a file
# can be corrupt.
TAPE_HEADER = b"Numra-Rechenstreifen 1\n"
TAPE_KINDS = ["Ergebnis", "Zwischensumme", "Prozent", "Vorzeichen", "Kehrwert", "Wurzel", "Potenz",
              "Ganzzahl", "Hex->Int", "Int->Hex", "Ust+", "Ust-"]
TAPE_FILES = {
    "tape-every-kind": TAPE_HEADER + b"".join(f"{k}\t12+5*2\t22\n".encode() for k in TAPE_KINDS),
    "tape-escapes": TAPE_HEADER + "Ergebnis\t1+\\t2\\r\\n\\\\ \u00e4\u00b7\t3\n".encode(),
    "tape-vat": TAPE_HEADER + "Ust+\tNetto 12,50 \u00b7 Steuer 19 % 2,38 \u00b7 Brutto 14,88\t14,88\n".encode(),
    "tape-empty-fields": TAPE_HEADER + b"Zwischensumme\t\t\n",
    "tape-header-only": TAPE_HEADER,
    "tape-bom": b"\xef\xbb\xbf" + TAPE_HEADER + b"Ergebnis\t1\t1\n",
    "tape-empty": b"",
    "tape-other-version": b"Numra-Rechenstreifen 2\nErgebnis\t1\t1\n",
    "tape-cut-short": TAPE_HEADER + b"Ergebnis\t1\t1\nErgeb",
    "tape-crlf": b"Numra-Rechenstreifen 1\r\nErgebnis\t1\t1\r\n",
    "tape-bad-escape": TAPE_HEADER + b"Ergebnis\t\\q\t1\n",
    "tape-trailing-backslash": TAPE_HEADER + b"Ergebnis\t1\\\t1\n",
    "tape-unknown-kind": TAPE_HEADER + b"Summe\t1\t1\n",
    "tape-field-missing": TAPE_HEADER + b"Ergebnis\t1\n",
    "tape-field-extra": TAPE_HEADER + b"Ergebnis\t1\t1\t1\n",
    "tape-empty-line": TAPE_HEADER + b"\nErgebnis\t1\t1\n",
    "tape-invalid-utf8": TAPE_HEADER + b"Ergebnis\t\xc3\x28\t1\n",
    # The CSV export, which the same target reads back.
    "csv-export": b"\xef\xbb\xbfFormel;Ergebnis;Art\r\n'-2+3;1;Ergebnis\r\n\"'=a;b\";5,00;Zwischensumme\r\n",
    "csv-quoted": b"\xef\xbb\xbfFormel;Ergebnis;Art\r\n\"1\"\"2\";3;Ergebnis\r\n",
}

# Key sequences as the calculator target decodes them: a key is its index in
# the key table; TEXT, a length and characters of its alphabet type text.
KEYS = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "0", ".", "+", "-", "*", "/", "CE",
        "Edit", "=", "%", "+/-", "1/x", "sqrt", "x^n", "Ganzzahl", "M+", "M-", "MC",
        "Hex->Int", "Int->Hex", "Ust+", "Ust-", "Kopieren"]
TEXT_BYTE, ROUNDING_BYTE = 64, 88
ALPHABET = "0123456789+-*/()., ^'$#{}<>=:;[]\r\n\tabcdefxEnotdivmodbeginend%"

KEY_SEQUENCES = [
    "1 2 + 5 * 3", "1 2 + +", "1 . .", "Edit text:12 + text:5 *", "x^n CE 3 =",
    "1 2 + 5 * 2 =", "1 . 5 + 1 =", "Edit text:2,5*2 =", "Edit text:5+ = text:3 =",
    "5 + =", "Edit text:3*(1+2) =", "Edit text:1<2 =", "2 x^n 1 0 =", "x^n =",
    "Edit text:2^10 =", "2 0 0 + 1 0 %", "2 0 0 * 1 0 %", "1 2 +/- + 5 =", "4 1/x",
    "1/x", "1 6 sqrt", "Edit text:-4 sqrt", "Edit text:12,7 Ganzzahl", "Edit text:3,14159 Runden",
    "1 2 M+ CE M-", "Edit text:5+ M-", "MC M-", "Edit text:ff Hex->Int", "1 0 Hex->Int",
    "2 5 5 Int->Hex", "Edit text:-1 Int->Hex", "1 0 0 Ust+", "1 1 9 Ust-", "Edit text:14,88 Kopieren",
    "Edit x^n 2 = Edit", "Edit text:1/0 =", "Edit text:x =", "Runden 1 / 8 =",
    "Edit text:200*10% =", "Edit text:100+10% =", "Edit text:(100+10)% =",
]

# Inputs that once gave a plainly wrong result, kept as regress-* files: the
# replay checks the targets' invariants on them (for the calculator: a VAT
# window's amounts add up in cents).
REGRESSIONS = {
    "fuzz_calculator": {
        "vat-single-precision-cents": "text:123456,78 Ust+",
        "vat-typed-amount-altered": "text:1234567,89 Ust+",
        "vat-window-differs-from-entry": "text:250000,10 Ust+",
        "vat-negative-from-gross": "text:-119 Ust-",
        "vat-amount-beyond-bound": "text:10000000000000 Ust+",
        "percent-garbled-base": "1 + 2 + 1 0 %",
        "percent-nothing-pending": "1 0 %",
        "percent-as-divisor": "2 0 0 / 1 0 %",
        "edit-operator-repeats-formula": "Edit text:12 + text:5 *",
        "rounding-below-shown-half": "text:2,675 Runden",
        "single-precision-square-root": "2 sqrt",
        "decimal-key-point-refused": "2 . 5 sqrt",
        "single-precision-power": "text:1,1 x^n 2 =",
        "ganzzahl-single-precision": "text:16777217 Ganzzahl",
        "ganzzahl-beyond-32-bits": "text:3000000000,7 Ganzzahl",
        "int-to-hex-largest": "text:2147483647 Int->Hex",
        "keypad-sum-of-300-amounts": " ".join(["1 +"] * 299 + ["1 ="]),
    },
    "fuzz_script": {
        "group-after-operand": "2(3+4)",
        "not-after-operand": "5 not 3",
        "operator-without-operand": "1+2+*3",
        "sum-of-300-amounts": "+".join(["12.34"] * 300),
        "exact-zero-with-large-exponent": "1" + "0" * 76 + ".0*00",
    },
}


def encode_keys(sequence):
    out = bytearray()
    for word in sequence.split(" "):
        if word.startswith("text:"):
            text = word[5:]
            out += bytes([TEXT_BYTE, len(text)]) + bytes(ALPHABET.index(c) for c in text)
        elif word == "Runden":
            out.append(ROUNDING_BYTE)
        else:
            out.append(KEYS.index(word))
    return bytes(out)

# Tape documents: one with every kind, links, notes, escapes, an error row and
# rounding, and each way a document is refused.
DOCUMENT_HEADER = ("Numra-Rechenstreifen-Dokument 1\nDezimaltrennzeichen\t,\n"
                   "Art\tFormel\tErgebnis\tNotiz\tRunden\tSatz\tBezug\n").encode()
DOCUMENTS = {
    "doc-chain": DOCUMENT_HEADER + "Ergebnis\t12+3\t15\tMiete\t\t\t\nErgebnis\t15+5\t20\t\t\t\t1:0:2\n"
                                   "Ust+\t20\t23,80\t\t2\t19\t2:0:2\nProzent\t23,80+10%\t26,18\t\t2\t\t3:0:5\n".encode(),
    "doc-every-kind": DOCUMENT_HEADER + "Ergebnis\t1/3\t0,33\t\t2\t\t\nZwischensumme\t5+\t5,00\t\t\t\t\n"
                      "Vorzeichen\t12*-1\t-12\t\t\t\t\nKehrwert\t1/4\t0,25\t\t\t\t\nWurzel\t16\t4\t\t\t\t\n"
                      "Potenz\t2^10\t1024\t\t\t\t\nGanzzahl\t12,7\t12\t\t\t\t\nHex->Int\tff\t255\t\t\t\t\n"
                      "Int->Hex\t255\tFF\t\t\t\t\nUst-\t119\t100,00\t\t2\t7\t\n".encode(),
    "doc-escapes": DOCUMENT_HEADER + "Ergebnis\t1+\\t2\t3\tNotiz \\\\ \u00e4\\n\t\t\t\n".encode(),
    "doc-error-row": DOCUMENT_HEADER + b"Ergebnis\t1/0\t\t\t\t\t\nErgebnis\t2+1\t3\t\t\t\t1:0:1\n",
    "doc-header-only": DOCUMENT_HEADER,
    "doc-crlf": DOCUMENT_HEADER.replace(b"\n", b"\r\n") + b"Ergebnis\t1\t1\t\t\t\t\r\n",
    "doc-no-last-break": DOCUMENT_HEADER + b"Ergebnis\t1\t1\t\t\t\t",
    "doc-circle": DOCUMENT_HEADER + b"Ergebnis\t1+1\t2\t\t\t\t2:0:1\nErgebnis\t2+1\t3\t\t\t\t1:0:1\n",
    "doc-link-beyond": DOCUMENT_HEADER + b"Ergebnis\t1+1\t2\t\t\t\t\nErgebnis\t2\t2\t\t\t\t1:5:9\n",
    "doc-newer": b"Numra-Rechenstreifen-Dokument 2\n",
    "doc-point": DOCUMENT_HEADER.replace(b"\t,", b"\t."),
    "doc-kept-file": b"Numra-Rechenstreifen 2\n",
    "doc-bad-rate": DOCUMENT_HEADER + b"Ust+\t100\t\t\t2\t100\t\n",
    "doc-empty": b"",
}


def write(target, seeds):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        if not old.name.startswith("regress-"):
            old.unlink()
    for name, data in seeds:
        digest = hashlib.sha1(data).hexdigest()[:10]
        (folder / f"{name}-{digest}").write_bytes(data)


def slug(text):
    return "".join(c if c.isalnum() else "_" for c in text)[:24] or "blank"


write("fuzz_powerformula", [(slug(f), f.encode("utf-8")) for f in POWER_FORMULAS]
      + [("utf16-" + slug(f), f.encode("utf-16-le")) for f in POWER_FORMULAS[:10]])
write("fuzz_script", [(slug(s), s.encode("utf-8")) for s in SCRIPTS])
write("fuzz_calculationfile", list(FILES.items()))
write("fuzz_calculator", [(slug(k), encode_keys(k)) for k in KEY_SEQUENCES])
write("fuzz_tapefile", list(TAPE_FILES.items()))
write("fuzz_tapedocument", list(DOCUMENTS.items()))
write("fuzz_pastedtext", [(slug(t), t.encode("utf-8")) for t in PASTED]
      + [("utf16-" + slug(t), t.encode("utf-16-le")) for t in PASTED[:6]])
for target, inputs in REGRESSIONS.items():
    encode = encode_keys if target == "fuzz_calculator" else (lambda text: text.encode("utf-8"))
    for name, text in inputs.items():
        (HERE / "corpus" / target / f"regress-{name}").write_bytes(encode(text))
