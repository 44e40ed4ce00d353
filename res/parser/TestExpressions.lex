# Lexical rules of the parser runtime's test language (MakeLexerTable.py).
list main
1 ignore : [ \t\n]+
1 ignore : "//" [^\n]*
2 : [0-9]+
3 : [A-Za-z_] [A-Za-z_0-9]*
5 : "+"
6 : "-"
7 : "*"
8 : "/"
9 : "("
10 : ")"
11 : ","
12 : ";"
13 : "="
16 ignore push text : "\""

# A string's characters up to the closing quote; "\" starts an escape.
list text
4 : [^"\\]+
17 ignore push escape : "\\"
54 ignore pop : "\""

# One escaped character, kept as it is; then back to the string.
list escape
4 pop : [^\n]
