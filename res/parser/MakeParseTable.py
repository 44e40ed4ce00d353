#!/usr/bin/env python3
"""Turns bison's XML report of an LALR(1) automaton into a "CYSS" parse table.

    MakeParseTable.py grammar.xml table.bin

The grammar is run through bison first:
    bison -Wall -Werror --xml=grammar.xml -o /dev/null grammar.y
with "%define lr.default-reduction accepting" (the table has no default
actions: every reduction is listed with its lookahead) and no semantic or
mid-rule actions (they would add rules and shift the production numbers).

Numbering:
  - tokens keep the numbers the grammar declares; "$end" is -1 and "error" -2;
  - nonterminals are 0x4001, 0x4002, ... in bison's order; "$accept" is 0;
  - productions are bison's rules; rule 0 ("$accept") is the start production,
    never reduced: shifting "$end" is written as the accept action instead.

Byte layout (all words u32 little-endian unless marked i32; offsets from the
start of the table):
  0   magic 0x53535943 ("CYSS")
  4   productions (low 16 bits) | embedded lookahead lists (high 16 bits, 0 here)
  8   number of states S
  12  offset of the first state row
  16  offset of the production table
  20  S state row offsets
  ..  production table: per production u32 right-hand-side length, i32 left side
  ..  state rows, in state order: u32 flags (0x2: an error entry ends the row),
      u32 goto count G, u32 action count A, A x (u32 action word, i32 token),
      G x (u32 target state, i32 nonterminal), then the error entry
      (u32 state, i32 -2) when flag 0x2 is set.
  Action words: 0x40000000 | state (shift), 0x20000000 | production (reduce),
  0x10000000 (accept).  Actions are in ascending token order with "$end" last,
  gotos in ascending nonterminal order.
"""

import struct
import sys
import xml.etree.ElementTree as ET

MAGIC = 0x53535943
SHIFT, REDUCE, ACCEPT = 0x40000000, 0x20000000, 0x10000000
FLAG_ERROR_ENTRY = 0x2
EOF_TOKEN, ERROR_TOKEN = -1, -2
FIRST_NONTERMINAL = 0x4001


def fail(message):
    sys.exit("MakeParseTable: " + message)


def symbol_numbers(grammar):
    """Token and nonterminal numbers by bison's symbol names."""
    numbers = {}
    for t in grammar.find("terminals"):
        name = t.get("name")
        if name == "$end":
            numbers[name] = EOF_TOKEN
        elif name == "error":
            numbers[name] = ERROR_TOKEN
        else:
            numbers[name] = int(t.get("token-number"))
    next_number = FIRST_NONTERMINAL
    for n in grammar.find("nonterminals"):
        name = n.get("name")
        if name == "$accept":
            numbers[name] = 0
        else:
            numbers[name] = next_number
            next_number += 1
    return numbers


def productions(grammar, numbers):
    result = []
    for rule in grammar.find("rules"):
        if rule.get("usefulness") != "useful":
            fail("rule %s is not useful" % rule.get("number"))
        rhs = [s.text for s in rule.find("rhs").findall("symbol")]
        if rule.get("number") == "0":
            rhs = [s for s in rhs if s != "$end"]
        result.append((len(rhs), numbers[rule.find("lhs").text]))
    return result


def token_order(token):
    # Ascending token numbers; end of input last.
    return (token == EOF_TOKEN, token)


def state_row(state, numbers):
    actions, gotos, error_state = {}, {}, None
    acts = state.find("actions")
    for t in acts.find("transitions"):
        symbol, target = t.get("symbol"), int(t.get("state"))
        if t.get("type") == "goto":
            gotos[numbers[symbol]] = target
        elif symbol == "$end":
            actions[EOF_TOKEN] = ACCEPT
        elif symbol == "error":
            error_state = target
        else:
            actions[numbers[symbol]] = SHIFT | target
    # Errors of %nonassoc are simply absent entries.
    for r in acts.find("reductions"):
        if r.get("enabled") != "true":
            continue
        symbol, rule = r.get("symbol"), r.get("rule")
        if rule == "accept":
            continue  # the state after "$end" is never entered
        if symbol == "error":
            continue  # recovery shifts the error token itself, never looks it up
        if symbol == "$default":
            fail("state %s has a default reduction" % state.get("number"))
        token = numbers[symbol]
        if token in actions:
            fail("state %s has two actions on %s" % (state.get("number"), symbol))
        actions[token] = REDUCE | int(rule)
    flags = FLAG_ERROR_ENTRY if error_state is not None else 0
    row = struct.pack("<III", flags, len(gotos), len(actions))
    for token in sorted(actions, key=token_order):
        row += struct.pack("<Ii", actions[token], token)
    for symbol in sorted(gotos):
        row += struct.pack("<Ii", gotos[symbol], symbol)
    if error_state is not None:
        row += struct.pack("<Ii", error_state, ERROR_TOKEN)
    return row


def parse_table(report):
    grammar = report.find("grammar")
    numbers = symbol_numbers(grammar)
    prods = productions(grammar, numbers)
    states = report.find("automaton").findall("state")
    if [int(s.get("number")) for s in states] != list(range(len(states))):
        fail("states are not numbered in order")
    rows = [state_row(s, numbers) for s in states]

    production_offset = 20 + 4 * len(rows)
    first_row = production_offset + 8 * len(prods)
    offsets, at = [], first_row
    for row in rows:
        offsets.append(at)
        at += len(row)
    out = struct.pack("<IIIII", MAGIC, len(prods), len(rows), first_row, production_offset)
    out += b"".join(struct.pack("<I", o) for o in offsets)
    out += b"".join(struct.pack("<Ii", n, lhs) for n, lhs in prods)
    out += b"".join(rows)
    return out, len(rows), len(prods)


def main():
    if len(sys.argv) != 3:
        fail("usage: MakeParseTable.py grammar.xml table.bin")
    table, nstates, nprods = parse_table(ET.parse(sys.argv[1]).getroot())
    with open(sys.argv[2], "wb") as f:
        f.write(table)
    print("%s: %d states, %d productions, %d bytes" % (sys.argv[2], nstates, nprods, len(table)))


if __name__ == "__main__":
    main()
