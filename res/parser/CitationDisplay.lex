# Lexical rules of the citation display text (MakeLexerTable.py).
let itemchar = [^ \t\n=]

list main
1 ignore : [ \t\n]+
7 : i"/h"
8 : i"/d"
9 : i"/pt"
6 : i"/ft"
# "=" is "following" and the rest of its line is the item.
6 push restofline : "="
16 ignore push apostrophe : "'"
17 ignore push quote : "\""
18 ignore push curly : "\x93"
2 : [^ \t\n='"\x93] itemchar*

list restofline
2 pop : [^\n]+

list apostrophe
2 : [^']+
54 ignore pop : "'"

list quote
2 : [^"]+
55 ignore pop : "\""

list curly
2 : [^\x94]+
56 ignore pop : "\x94"
