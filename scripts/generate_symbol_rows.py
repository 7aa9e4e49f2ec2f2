#!/usr/bin/env python3
"""Turns src/model/symbols.tsv into the C++ rows the model compiles.

usage: generate_symbol_rows.py symbols.tsv symbol_rows.inc

The rows are checked on the way: a code, a name or a character listed twice, a value a column
does not allow, or named rows that do not all come first stop the build with the row's line.
"""
import sys

COLUMNS = ("code name class face group tex hwp latex latex_read unicode mathml mathml_tok "
           "operands omml_lone omml_needs typing partner palette tooltip key").split()
CHOICES = {
    "class": {"ord": "Ord", "op": "Op", "bin": "Bin", "rel": "Rel", "open": "Open",
              "close": "Close", "punct": "Punct", "inner": "Inner"},
    "face": {"italic": "Italic", "upright": "Upright", "symbol": "Symbol"},
    "group": {"greek": "Greek", "sign": "Sign", "bigop": "BigOperator", "punct": "Punctuation"},
    "mathml_tok": {"mi": "Mi", "mo": "Mo", "mn": "Mn"},
    "operands": {"-": "None", "takes": "Takes", "leads": "Leads"},
    "omml_needs": {"-": "None", "after": "After", "both": "Both"},
    "typing": {"operand": "Operand", "operator": "Operator", "open": "Open", "close": "Close",
               "other": "Other"},
}
ENUMS = {"class": "AtomClass", "face": "SymbolFace", "group": "SymbolGroup",
         "mathml_tok": "MathmlToken", "operands": "MathmlOperands", "omml_needs": "OmmlOperands",
         "typing": "TypingRole"}


class RowError(Exception):
    pass


def character(cell, column):
    if not cell.startswith("U+"):
        raise RowError(f"{column}: {cell!r} is not U+XXXX")
    value = int(cell[2:], 16)
    if value > 0xFFFF:
        raise RowError(f"{column}: {cell} is outside the BMP")
    return value


def code_expression(cell):
    if cell.startswith("code::"):
        return cell, None
    value = character(cell, "code")
    return str(value), value


def cpp_string(text):
    out = []
    for ch in text:
        if ch in '\\"':
            out.append("\\" + ch)
        elif 32 <= ord(ch) < 127:
            out.append(ch)
        else:
            out.append("\\u%04X" % ord(ch))
    return 'u"' + "".join(out) + '"'


def cpp_char(value):
    return "0x%04X" % value if value else "0"


def read_rows(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        header = None
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            cells = line.split("\t")
            if header is None:
                if cells != COLUMNS:
                    raise RowError(f"line {number}: the columns are not {' '.join(COLUMNS)}")
                header = cells
                continue
            if len(cells) != len(COLUMNS):
                raise RowError(f"line {number}: {len(cells)} cells, not {len(COLUMNS)}")
            rows.append((number, dict(zip(COLUMNS, cells))))
    return rows


def row_initializer(row, index, named):
    code, value = code_expression(row["code"])
    unicode = character(row["unicode"], "unicode") if row["unicode"] != "-" else value
    if unicode is None:
        raise RowError("a reserved code needs its unicode character")
    own = chr(unicode)
    for column, choices in CHOICES.items():
        if row[column] not in choices:
            raise RowError(f"{column}: {row[column]!r} is none of {' '.join(choices)}")
    enums = {c: f"{ENUMS[c]}::{CHOICES[c][row[c]]}" for c in CHOICES}
    text = {c: own if row[c] == "-" else row[c] for c in ("tex", "hwp", "latex")}
    optional = {c: "" if row[c] == "-" else row[c] for c in ("latex_read", "tooltip", "key")}
    chars = {c: character(row[c], c) if row[c] != "-" else 0
             for c in ("mathml", "omml_lone", "palette")}
    partner = "0" if row["partner"] == "-" else code_expression(row["partner"])[0]
    name = "" if row["name"] == "-" else row["name"]
    fields = [code, cpp_string(name), str(index if named else -1), enums["class"],
              enums["face"], enums["group"], cpp_string(text["tex"]), cpp_string(text["hwp"]),
              cpp_string(text["latex"]), cpp_string(optional["latex_read"]), cpp_char(unicode),
              cpp_char(chars["mathml"] or unicode), enums["mathml_tok"], enums["operands"],
              cpp_char(chars["omml_lone"]), enums["omml_needs"], enums["typing"], partner,
              cpp_char(chars["palette"]), cpp_string(optional["tooltip"]),
              cpp_string(optional["key"])]
    return (row["code"], name, unicode), "    {" + ", ".join(fields) + "},"


def generate(rows):
    lines = []
    seen = {"code": set(), "name": set(), "unicode": set()}
    named_rows = 0
    for index, (number, row) in enumerate(rows):
        named = row["name"] != "-"
        try:
            if named and named_rows != index:
                raise RowError("a named row after the punctuation rows")
            keys, text = row_initializer(row, index, named)
            for column, key in zip(("code", "name", "unicode"), keys):
                if key and key in seen[column]:
                    raise RowError(f"{column} {key!r} is listed twice")
                seen[column].add(key)
        except RowError as error:
            raise RowError(f"line {number}: {error}") from None
        named_rows += named
        lines.append(text)
    return named_rows, lines


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    try:
        named, lines = generate(read_rows(argv[1]))
    except (OSError, RowError) as error:
        sys.stderr.write(f"{argv[1]}: {error}\n")
        return 1
    with open(argv[2], "w", encoding="utf-8") as out:
        out.write("// Generated from src/model/symbols.tsv by scripts/generate_symbol_rows.py.\n")
        out.write(f"inline constexpr size_t kNamedSymbolRows = {named};\n")
        out.write("inline constexpr SymbolFacts kSymbolFacts[] = {\n")
        out.write("\n".join(lines) + "\n};\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
