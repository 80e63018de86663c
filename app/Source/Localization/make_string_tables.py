#!/usr/bin/python3
"""Makes the string tables of the programs from the translators' files.

make_string_tables.py PO_DIR OUTPUT: reads PO_DIR/LINGUAS (language codes,
separated by white space, "#" starts a comment) and PO_DIR/<code>.po for each
of them, and writes OUTPUT, a C++ source defining stringTables() with one
table per language, in the order of LINGUAS. Entries that are untranslated,
fuzzy or obsolete are left out, as msgfmt leaves them out.
"""
import os
import sys

import polib

# Languages written right to left; their screens are mirrored.
RIGHT_TO_LEFT = {"ar", "ckb", "dv", "fa", "he", "ps", "sd", "ug", "ur", "yi"}


def languages(po_dir):
    codes = []
    with open(os.path.join(po_dir, "LINGUAS"), encoding="utf-8") as linguas:
        for line in linguas:
            codes.extend(line.split("#", 1)[0].split())
    if not codes or codes[0] != "en":
        sys.exit(f"{po_dir}/LINGUAS: the first language must be en")
    return codes


def literal(text):
    out = []
    for char in text:
        if char in '"\\':
            out.append("\\" + char)
        elif char == "\n":
            out.append("\\n")
        elif char == "\t":
            out.append("\\t")
        elif ord(char) < 0x20 or ord(char) == 0x7F:
            out.append(f"\\{ord(char):03o}")
        else:
            out.append(char)
    return '"' + "".join(out) + '"'


def table(code, po_dir):
    path = os.path.join(po_dir, code + ".po")
    catalogue = polib.pofile(path, encoding="utf-8")
    rows = [f"    {{{literal(e.msgid)}, {literal(e.msgstr)}}},"
            for e in catalogue.translated_entries()]
    if not rows:
        sys.exit(f"{path}: no translated text")
    return rows


def main():
    po_dir, output = sys.argv[1], sys.argv[2]
    lines = ["// Made by make_string_tables.py from the po/ folder at build time: edit",
             "// the .po files, not this file.",
             '#include "Localization/StringTable.h"', "", "namespace {"]
    tables = []
    for code in languages(po_dir):
        lines += [f"const StringTableEntry k_{code}[] = {{", *table(code, po_dir), "};"]
        right_to_left = "true" if code in RIGHT_TO_LEFT else "false"
        tables.append(f'    {{"{code}", {right_to_left}, k_{code}, std::size(k_{code})}},')
    lines += ["const StringTable kTables[] = {", *tables, "};", "} // namespace", "",
              "std::span<const StringTable> stringTables()", "{", "    return kTables;", "}"]
    with open(output + ".tmp", "w", encoding="utf-8") as new:
        new.write("\n".join(lines) + "\n")
    os.replace(output + ".tmp", output)


if __name__ == "__main__":
    main()
