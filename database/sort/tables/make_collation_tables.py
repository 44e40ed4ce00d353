#!/usr/bin/env python3
"""Writes the weight tables of the built-in collations.

    make_collation_tables.py           writes CollationTables.h and .cpp beside it
    make_collation_tables.py --check   exits 1 when the files there differ

The tables are derived from the collation rules below and the code-page charts
of Windows-1252, Macintosh Roman, Windows-1250 and Windows-1251 (Python's
codecs, which follow the published mappings). The build uses the files checked
in; this script only renews them when a rule changes, and then the collation's
version in BuiltInCollations.cpp must change too, so that databases rebuild
their indexes.

An entry is (extra primary, primary, secondary, tertiary); see Collation.h.
"""

import os
import re
import sys
import unicodedata

NO_WEIGHT = 2
LOWER = 3
EXPANSION = 0x81
SYMBOL_LEAD = 0x83

# Accent (secondary) weights. Letters with an accent that a collation does not
# list are not covered by its rules and keep their own code.
GENERAL_ACCENTS = {
    "ACUTE": 3, "GRAVE": 4, "CIRCUMFLEX": 5, "DIAERESIS": 6, "TILDE": 7,
    "RING ABOVE": 8, "STROKE": 9, "CARON": 10, "CEDILLA": 11,
}
CZECH_ACCENTS = {
    "DOT ABOVE": 3, "DIAERESIS": 4, "ACUTE": 5, "GRAVE": 6, "CIRCUMFLEX": 7,
    "TILDE": 8, "CARON": 10, "BREVE": 10, "CEDILLA": 11, "OGONEK": 12,
    "STROKE": 13, "RING ABOVE": 14, "DOUBLE ACUTE": 15,
}

# Macintosh mathematical symbols without a Windows-1252 counterpart weigh as
# the Symbol-font character (lead 0x83 and the Symbol code).
MAC_SYMBOL_FONT = {
    "\u2260": 0xB9, "\u221E": 0xA5, "\u2264": 0xA3, "\u2265": 0xB3,
    "\u2202": 0xB6, "\u2211": 0xE5, "\u220F": 0xD5, "\u03C0": 0x70,
    "\u222B": 0xF2, "\u03A9": 0x57, "\u221A": 0xD6, "\u2248": 0xBB,
    "\u2206": 0x44, "\u25CA": 0xE0, "\u2044": 0xA4,
}
MAC_LIGATURES = {"\uFB01": "fi", "\uFB02": "fl"}
# Macintosh Roman byte 0xDB is the general currency sign in the character set
# the program reads (the later charts put the euro there).
MAC_OVERRIDES = {0xDB: "\u00A4"}

LETTER_NAME = re.compile(r"^LATIN (CAPITAL|SMALL) LETTER ([A-Z]) WITH (.+)$")


def decode(byte, codec):
    if codec == "mac_roman" and byte in MAC_OVERRIDES:
        return MAC_OVERRIDES[byte]
    try:
        return bytes([byte]).decode(codec)
    except UnicodeDecodeError:
        return None


def cp1252_byte(char):
    try:
        encoded = char.encode("cp1252")
    except UnicodeEncodeError:
        return None
    return encoded[0] if len(encoded) == 1 else None


def case_weight(char):
    return LOWER if unicodedata.category(char) == "Ll" else NO_WEIGHT


class Collation:
    """The rules of one collation, as a weight for each character."""

    def __init__(self, name, national, accents, letters=None, overrides=None,
                 own_code=("\u017D", "\u017E")):
        self.name = name
        self.national = national      # letters spread out: A 66, B 68 ... Z 116
        self.accents = accents
        self.letters = letters or {}  # base letter -> primary
        self.overrides = overrides or {}  # character -> (primary, secondary)
        self.own_code = own_code      # accented letters left to their own code

    def letter(self, upper):
        if upper in self.letters:
            return self.letters[upper]
        k = ord(upper) - ord("A")
        return 66 + 2 * k if self.national else ord(upper)

    def ascii(self, byte):
        char = chr(byte)
        if "A" <= char <= "Z":
            return (0, self.letter(char), NO_WEIGHT, NO_WEIGHT)
        if "a" <= char <= "z":
            return (0, self.letter(char.upper()), NO_WEIGHT, LOWER)
        if self.national and "[" <= char <= "`":
            return (0, 117 + byte - ord("["), NO_WEIGHT, NO_WEIGHT)
        return (0, byte, NO_WEIGHT, NO_WEIGHT)

    def weigh(self, char):
        """The entry of a character outside ASCII, or None when no rule names it."""
        if char in self.overrides:
            primary, secondary = self.overrides[char]
            return (0, primary, secondary, case_weight(char))
        upper = char.upper()
        if upper in ("\u00C6", "\u0152"):
            first, second = ("A", "E") if upper == "\u00C6" else ("O", "E")
            if char != upper:
                first, second = first.lower(), second.lower()
            return (0, ord(first), ord(second), EXPANSION)
        if char == "\u00DF":
            return (0, ord("s"), ord("s"), EXPANSION)
        if char in self.own_code:
            return None
        match = LETTER_NAME.match(unicodedata.name(char, ""))
        if not match or match.group(3) not in self.accents:
            return None
        return (0, self.letter(match.group(2)), self.accents[match.group(3)], case_weight(char))


def both_cases(table):
    """Rules name capital letters; the small letters follow them."""
    result = {}
    for char, weights in table.items():
        result[char] = weights
        result[char.lower()] = weights
    return result


GENERAL = Collation(
    "General", False, GENERAL_ACCENTS,
    overrides=both_cases({"\u00DE": (91, NO_WEIGHT), "\u00D0": (92, NO_WEIGHT)}))

CZECH = Collation(
    "Czech", True, CZECH_ACCENTS,
    overrides=both_cases({
        "\u010C": (71, NO_WEIGHT), "\u0158": (101, NO_WEIGHT), "\u0160": (103, NO_WEIGHT),
        "\u017D": (117, NO_WEIGHT), "\u00D0": (72, 13), "\u00DE": (104, 13)}),
    own_code=())

DANISH_NORWEGIAN = Collation(
    "DanishNorwegian", True, GENERAL_ACCENTS,
    letters={"Y": 113, "Z": 114},
    overrides=dict(both_cases({
        "\u00C6": (115, NO_WEIGHT), "\u00C4": (116, NO_WEIGHT), "\u00D8": (117, NO_WEIGHT),
        "\u00D6": (118, NO_WEIGHT), "\u00C5": (119, NO_WEIGHT),
        "\u00D0": (72, 9), "\u00DE": (104, 9), "\u00DC": (113, 6)}),
        **{"\u0178": (114, 6)}))

FINNISH_SWEDISH = Collation(
    "FinnishSwedish", True, GENERAL_ACCENTS,
    letters={"W": 108, "X": 109, "Y": 110, "Z": 111},
    overrides=dict(both_cases({
        "\u00C5": (112, NO_WEIGHT), "\u00C4": (113, NO_WEIGHT), "\u00D6": (114, NO_WEIGHT),
        "\u00D8": (115, NO_WEIGHT), "\u00D0": (72, 9), "\u00DE": (104, 9), "\u00DC": (110, 6)}),
        **{"\u0178": (114, 6)}))

FRENCH = Collation(
    "French", True, GENERAL_ACCENTS,
    overrides=both_cases({"\u00DE": (117, NO_WEIGHT), "\u00D0": (118, NO_WEIGHT)}))

POLISH = Collation(
    "Polish", True, GENERAL_ACCENTS,
    overrides=both_cases({
        "\u0104": (67, NO_WEIGHT), "\u0106": (71, NO_WEIGHT), "\u0118": (75, NO_WEIGHT),
        "\u0141": (89, NO_WEIGHT), "\u0143": (93, NO_WEIGHT), "\u00D3": (95, NO_WEIGHT),
        "\u015A": (103, NO_WEIGHT), "\u0179": (117, NO_WEIGHT), "\u017B": (118, NO_WEIGHT),
        "\u00DE": (91, NO_WEIGHT), "\u00D0": (92, NO_WEIGHT)}))

SPANISH = Collation(
    "Spanish", True, GENERAL_ACCENTS,
    overrides=both_cases({
        "\u00D1": (93, NO_WEIGHT), "\u00DE": (117, NO_WEIGHT), "\u00D0": (118, NO_WEIGHT)}))


def windows_table(coll):
    table = []
    for byte in range(256):
        if byte == 0:
            table.append((0, 0, NO_WEIGHT, NO_WEIGHT))
        elif byte < 0x80:
            table.append(coll.ascii(byte))
        else:
            char = decode(byte, "cp1252")
            weights = coll.weigh(char) if char else None
            table.append(weights or (0, byte, NO_WEIGHT, NO_WEIGHT))
    return table


def companion_table(windows, codec, weigh_other, share_windows=True):
    """A table for another code page: ASCII as the Windows table; a character
    that Windows-1252 has with its Windows weights when share_windows is set;
    any other by weigh_other, or its own code."""
    table = list(windows[:0x80])
    for byte in range(0x80, 256):
        char = decode(byte, codec)
        in_windows = cp1252_byte(char) if char and share_windows else None
        if in_windows is not None:
            table.append(windows[in_windows])
        else:
            table.append((char and weigh_other(char)) or (0, byte, NO_WEIGHT, NO_WEIGHT))
    return table


def mac_table(coll, windows):
    def weigh_mac(char):
        if char in MAC_SYMBOL_FONT:
            return (SYMBOL_LEAD, MAC_SYMBOL_FONT[char], NO_WEIGHT, NO_WEIGHT)
        if char in MAC_LIGATURES:
            first, second = MAC_LIGATURES[char]
            return (0, ord(first), ord(second), EXPANSION)
        return coll.weigh(char)
    return companion_table(windows, "mac_roman", weigh_mac)


def east_european_table(coll, windows):
    return companion_table(windows, "cp1250", coll.weigh)


def cyrillic_table(windows):
    def weigh_cyrillic(char):
        if not unicodedata.name(char, "").startswith("CYRILLIC"):
            return None
        primary = char.upper().encode("cp1251")[0]
        return (0, primary, NO_WEIGHT, case_weight(char))
    # Symbols keep their own code here: the Windows codes of shared symbols
    # would fall on Cyrillic letters.
    return companion_table(windows, "cp1251", weigh_cyrillic, share_windows=False)


def build_tables():
    """(C++ name, code page, entries) of every distinct table, in order."""
    tables = []

    def add(name, codec, entries):
        tables.append((name, codec, entries))

    for coll in (GENERAL, CZECH, DANISH_NORWEGIAN, FINNISH_SWEDISH, FRENCH, POLISH, SPANISH):
        windows = windows_table(coll)
        add("g_%sWindowsWeights" % coll.name, "cp1252", windows)
        add("g_%sMacWeights" % coll.name, "mac_roman", mac_table(coll, windows))
        if coll in (CZECH, POLISH):
            add("g_%sEastEuropeWeights" % coll.name, "cp1250", east_european_table(coll, windows))
        if coll is GENERAL:
            add("g_RussianCyrillicWeights", "cp1251", cyrillic_table(windows))
    return tables


HEADER_NOTE = "// Generated by make_collation_tables.py from its rules: do not edit by hand.\n"


def render_header(tables):
    lines = [HEADER_NOTE,
             "// Weight tables of the built-in collations (layout in Collation.h), one per\n",
             "// collation and code page: Windows (Windows-1252, also bytes below 0x80),\n",
             "// Mac (Macintosh Roman), EastEurope (Windows-1250), Cyrillic (Windows-1251).\n",
             "#pragma once\n\n",
             "#include \"database/sort/Collation.h\"\n\n"]
    for name, _, _ in tables:
        lines.append("extern const CollationWeights %s[256];\n" % name)
    return "".join(lines)


def describe(byte, codec):
    if byte < 0x20 or byte == 0x7F:
        return "control"
    char = decode(byte, codec)
    if char is None:
        return "undefined"
    return unicodedata.name(char, "U+%04X" % ord(char))


def render_source(tables):
    lines = [HEADER_NOTE, "#include \"database/sort/tables/CollationTables.h\"\n"]
    for name, codec, entries in tables:
        lines.append("\n// %s\nconst CollationWeights %s[256] = {\n" % (codec, name))
        for byte, entry in enumerate(entries):
            cells = ", ".join("0x%02X" % value for value in entry)
            lines.append("    {%s}, // %02X %s\n" % (cells, byte, describe(byte, codec)))
        lines.append("};\n")
    return "".join(lines)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    tables = build_tables()
    outputs = {
        os.path.join(here, "CollationTables.h"): render_header(tables),
        os.path.join(here, "CollationTables.cpp"): render_source(tables),
    }
    if "--check" in sys.argv[1:]:
        stale = []
        for path, text in outputs.items():
            try:
                with open(path, "r", encoding="ascii", newline="") as f:
                    if f.read() != text:
                        stale.append(path)
            except OSError:
                stale.append(path)
        for path in stale:
            print("out of date: %s (run %s)" % (path, os.path.basename(__file__)))
        return 1 if stale else 0
    for path, text in outputs.items():
        with open(path, "w", encoding="ascii", newline="") as f:
            f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
