#!/usr/bin/env python3
"""Builds an "XLSS" lexer table from a file of lexical rules.

    MakeLexerTable.py rules.lex table.bin

Rule file, one item a line ('#' at the start of a line is a comment):
    let NAME = REGEX              a named expression for later rules
    list NAME                     starts an expression list (the first is list 0)
    TOKEN [ignore] [push LIST] [pop] : REGEX
A rule's lexeme returns TOKEN, or is dropped with "ignore"; "push LIST" makes
LIST current after it, "pop" the list before; both together switch lists.
Where two rules match the same text the earlier one wins; the runtime takes
the longest match.

REGEX: "text" (escapes \\t \\n \\\\ \\" \\xNN), i"text" (letters in any case),
[class] or [^class] over bytes 0-255 (ranges a-z, the same escapes and \\] \\-
\\^), a let NAME, ( ), | and the postfix * + ?.  Items side by side are
concatenated; blanks between them are ignored.

Each list becomes a minimal deterministic automaton over bytes; its state 0
also takes the start-of-input marker (0xFFFFFFFF) to a state that accepts and
ignores it (token -1).

Byte layout (u32 little-endian words unless marked i32):
  table:  0 number of lists, 4 magic 0x53534C58 ("XLSS"), 8..35 zero, then
          the lists one after another.
  list (offsets from its start):
          0 magic 0x53534C58, 4 size of the list, 8..39 zero, 40 states S,
          44 size again, 48 offset of the row offsets (88 + 28 S),
          52 offset of the state information (88), 56..87 zero,
          88 S x state information: i32 token (0 when the state accepts
             nothing), u32 list to push, u32 flags (0x10 accepts, 0x40 ignore,
             0x20 push, 0x08 pop), 16 zero bytes;
          then S row offsets, then the rows in state order: u32 ranges R,
          R x (u32 first character, u32 last character, i32 next state).
          Ranges ascend and never overlap; characters without a range have
          no transition.
"""

import struct
import sys

MAGIC = 0x53534C58
START_MARKER = 0xFFFFFFFF
ACCEPTS, IGNORE, PUSH, POP = 0x10, 0x40, 0x20, 0x08
INFO_OFFSET = 88
ALL_BYTES = frozenset(range(256))


def fail(message):
    sys.exit("MakeLexerTable: " + message)


# --- Regular expressions ----------------------------------------------------

class Nfa:
    """Thompson automaton: states with epsilon edges and byte-set edges."""

    def __init__(self):
        self.eps = []
        self.edges = []
        self.accept = {}  # state -> rule index

    def state(self):
        self.eps.append([])
        self.edges.append([])
        return len(self.eps) - 1


class RegexParser:
    def __init__(self, text, lets, nfa):
        self.text, self.pos, self.lets, self.nfa = text, 0, lets, nfa

    def error(self, message):
        fail("%s at %d in: %s" % (message, self.pos, self.text))

    def peek(self):
        while self.pos < len(self.text) and self.text[self.pos] in " \t":
            self.pos += 1
        return self.text[self.pos] if self.pos < len(self.text) else ""

    def parse(self):
        fragment = self.alternation()
        if self.peek():
            self.error("unexpected text")
        return fragment

    # A fragment is (start state, end state) of the automaton.
    def alternation(self):
        fragments = [self.sequence()]
        while self.peek() == "|":
            self.pos += 1
            fragments.append(self.sequence())
        if len(fragments) == 1:
            return fragments[0]
        start, end = self.nfa.state(), self.nfa.state()
        for s, e in fragments:
            self.nfa.eps[start].append(s)
            self.nfa.eps[e].append(end)
        return start, end

    def sequence(self):
        start = end = self.nfa.state()
        while self.peek() not in ("", "|", ")"):
            s, e = self.postfix()
            self.nfa.eps[end].append(s)
            end = e
        return start, end

    def postfix(self):
        s, e = self.atom()
        while self.pos < len(self.text) and self.text[self.pos] in "*+?":
            op = self.text[self.pos]
            self.pos += 1
            start, end = self.nfa.state(), self.nfa.state()
            self.nfa.eps[start].append(s)
            self.nfa.eps[e].append(end)
            if op in "*?":
                self.nfa.eps[start].append(end)
            if op in "*+":
                self.nfa.eps[e].append(s)
            s, e = start, end
        return s, e

    def atom(self):
        c = self.peek()
        if c == "(":
            self.pos += 1
            fragment = self.alternation()
            if self.peek() != ")":
                self.error("')' expected")
            self.pos += 1
            return fragment
        if c == '"' or (c == "i" and self.text[self.pos:self.pos + 2] == 'i"'):
            fold = c == "i"
            self.pos += 2 if fold else 1
            return self.literal(fold)
        if c == "[":
            self.pos += 1
            return self.byte_set_fragment(self.byte_class())
        name = ""
        while self.pos < len(self.text) and (self.text[self.pos].isalnum() or self.text[self.pos] == "_"):
            name += self.text[self.pos]
            self.pos += 1
        if name not in self.lets:
            self.error("unknown name '%s'" % name)
        return RegexParser(self.lets[name], self.lets, self.nfa).parse()

    def escaped(self):
        c = self.text[self.pos]
        self.pos += 1
        if c != "\\":
            return ord(c)
        c = self.text[self.pos]
        self.pos += 1
        if c == "x":
            value = int(self.text[self.pos:self.pos + 2], 16)
            self.pos += 2
            return value
        return {"t": 9, "n": 10, "r": 13}.get(c, ord(c))

    def literal(self, fold):
        start = end = self.nfa.state()
        while True:
            if self.pos >= len(self.text):
                self.error("unterminated text")
            if self.text[self.pos] == '"':
                self.pos += 1
                return start, end
            b = self.escaped()
            chars = {b}
            if fold and chr(b).isascii() and chr(b).isalpha():
                chars = {ord(chr(b).lower()), ord(chr(b).upper())}
            s, e = self.byte_set_fragment(frozenset(chars))
            self.nfa.eps[end].append(s)
            end = e

    def byte_class(self):
        negate = self.text[self.pos:self.pos + 1] == "^"
        if negate:
            self.pos += 1
        chars = set()
        while True:
            if self.pos >= len(self.text):
                self.error("unterminated class")
            if self.text[self.pos] == "]":
                self.pos += 1
                break
            first = self.escaped()
            last = first
            if self.text[self.pos] == "-" and self.text[self.pos + 1] != "]":
                self.pos += 1
                last = self.escaped()
            chars.update(range(first, last + 1))
        return ALL_BYTES - chars if negate else frozenset(chars)

    def byte_set_fragment(self, chars):
        s, e = self.nfa.state(), self.nfa.state()
        self.nfa.edges[s].append((chars, e))
        return s, e


# --- Rule files ---------------------------------------------------------------

class Rule:
    def __init__(self, token, ignore, push, pop, regex):
        self.token, self.ignore, self.push, self.pop, self.regex = token, ignore, push, pop, regex


def read_rules(path):
    lets, lists, order = {}, {}, []
    with open(path, encoding="latin-1") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            if line.startswith("let "):
                name, regex = line[4:].split("=", 1)
                lets[name.strip()] = regex.strip()
            elif line.startswith("list "):
                name = line[5:].strip()
                order.append(name)
                lists[name] = []
            else:
                if not order or ":" not in line:
                    fail("%s:%d: a rule needs a list and ':'" % (path, number))
                head, regex = line.split(":", 1)
                words = head.split()
                token = int(words[0])
                push = words[words.index("push") + 1] if "push" in words else None
                lists[order[-1]].append(Rule(token, "ignore" in words, push, "pop" in words, regex.strip()))
    return lets, [(name, lists[name]) for name in order]


# --- Automata -----------------------------------------------------------------

def closure(nfa, states):
    stack, seen = list(states), set(states)
    while stack:
        for t in nfa.eps[stack.pop()]:
            if t not in seen:
                seen.add(t)
                stack.append(t)
    return frozenset(seen)


def build_dfa(rules, lets):
    """Subset construction; returns (accepting rule or None, {byte: target}) per state."""
    nfa = Nfa()
    start = nfa.state()
    for index, rule in enumerate(rules):
        s, e = RegexParser(rule.regex, lets, nfa).parse()
        nfa.eps[start].append(s)
        nfa.accept[e] = index
    first = closure(nfa, [start])
    ids, states, work = {first: 0}, [], [first]
    while work:
        current = work.pop(0)
        moves = {}
        for s in current:
            for chars, target in nfa.edges[s]:
                for b in chars:
                    moves.setdefault(b, set()).add(target)
        row = {}
        for b, targets in sorted(moves.items()):
            target = closure(nfa, targets)
            if target not in ids:
                ids[target] = len(ids)
                work.append(target)
            row[b] = ids[target]
        accepting = [nfa.accept[s] for s in current if s in nfa.accept]
        states.append((min(accepting) if accepting else None, row))
    return states


def minimise(states, rules):
    """Merges states that no input tells apart; state 0 stays the start."""
    def outcome(rule):
        if rule is None:
            return None
        r = rules[rule]
        return (r.token, r.ignore, r.push, r.pop)

    block = {}
    keys = {}
    for i, (rule, _) in enumerate(states):
        block[i] = keys.setdefault(outcome(rule), len(keys))
    while True:
        keys = {}
        new_block = {}
        for i, (_, row) in enumerate(states):
            signature = (block[i], tuple((b, block[t]) for b, t in sorted(row.items())))
            new_block[i] = keys.setdefault(signature, len(keys))
        if len(keys) == len(set(block.values())):
            break
        block = new_block
    # Renumber breadth first from the start, following bytes in order.
    number, order = {block[0]: 0}, [block[0]]
    representative = {block[0]: 0}
    for i in range(len(states)):
        representative.setdefault(block[i], i)
    at = 0
    while at < len(order):
        rule, row = states[representative[order[at]]]
        for b in sorted(row):
            target = block[row[b]]
            if target not in number:
                number[target] = len(number)
                order.append(target)
        at += 1
    result = [None] * len(number)
    for blk, n in number.items():
        rule, row = states[representative[blk]]
        result[n] = (rule, {b: number[block[t]] for b, t in row.items()})
    return result


def ranges_of(row):
    """(first, last, target) runs of consecutive bytes with one target."""
    runs = []
    for b in sorted(row):
        if runs and runs[-1][1] == b - 1 and runs[-1][2] == row[b]:
            runs[-1] = (runs[-1][0], b, row[b])
        else:
            runs.append((b, b, row[b]))
    return runs


def list_bytes(dfa, rules, list_index):
    marker = len(dfa)
    infos, rows = [], []
    for n, (rule, row) in enumerate(dfa):
        token, push, flags = 0, 0, 0
        if rule is not None:
            r = rules[rule]
            token, flags = r.token, ACCEPTS
            if r.ignore:
                flags |= IGNORE
            if r.push is not None:
                flags |= PUSH
                push = list_index[r.push]
            if r.pop:
                flags |= POP
        infos.append((token, push, flags))
        runs = ranges_of(row)
        if n == 0:
            runs.append((START_MARKER, START_MARKER, marker))
        rows.append(runs)
    infos.append((-1, 0, ACCEPTS | IGNORE))
    rows.append([])

    count = len(infos)
    row_offsets_at = INFO_OFFSET + 28 * count
    first_row = row_offsets_at + 4 * count
    row_bytes = [struct.pack("<I", len(r)) + b"".join(struct.pack("<IIi", *run) for run in r) for r in rows]
    size = first_row + sum(len(r) for r in row_bytes)
    out = struct.pack("<II", MAGIC, size) + bytes(32)
    out += struct.pack("<IIII", count, size, row_offsets_at, INFO_OFFSET) + bytes(32)
    out += b"".join(struct.pack("<iII", *info) + bytes(16) for info in infos)
    at = first_row
    for r in row_bytes:
        out += struct.pack("<I", at)
        at += len(r)
    out += b"".join(row_bytes)
    assert len(out) == size
    return out, count


def main():
    if len(sys.argv) != 3:
        fail("usage: MakeLexerTable.py rules.lex table.bin")
    lets, lists = read_rules(sys.argv[1])
    list_index = {name: i for i, (name, _) in enumerate(lists)}
    for name, rules in lists:
        for r in rules:
            if r.push is not None and r.push not in list_index:
                fail("list %s: unknown list %s" % (name, r.push))
    out = struct.pack("<II", len(lists), MAGIC) + bytes(28)
    counts = []
    for name, rules in lists:
        dfa = minimise(build_dfa(rules, lets), rules)
        data, count = list_bytes(dfa, rules, list_index)
        out += data
        counts.append("%s %d" % (name, count))
    with open(sys.argv[2], "wb") as f:
        f.write(out)
    print("%s: %d lists (states: %s), %d bytes" % (sys.argv[2], len(lists), ", ".join(counts), len(out)))


if __name__ == "__main__":
    main()
