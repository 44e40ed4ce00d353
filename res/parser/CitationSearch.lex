# Lexical rules of the citation-search text (MakeLexerTable.py).  Every 8-bit
# text is accepted: what is not an item, "#" or "/ID" is dropped.
let separator = [ \t\n,]
let itemchar = [^ \t\n,=]
# An item starts with neither "#" (a token of its own) nor a quote mark.
let item = [^ \t\n,=#'"\x93] itemchar*

list main
1 ignore : separator+
1 ignore : i"and" | "&"
1 ignore : i"et" "."? " " i"al" [ .]? [ .]?
1 ignore : "=" [^\n]*
1 ignore : i"/h" | i"/d"
1 ignore push skipitem : i"/pt" | i"/ft"
14 : i"/id"
15 : "#"
16 ignore push apostrophe : "'"
17 ignore push quote : "\""
18 ignore push curly : "\x93"
2 : item

list apostrophe
2 : [^']+
54 ignore pop : "'"

list quote
2 : [^"]+
55 ignore pop : "\""

list curly
2 : [^\x94]+
56 ignore pop : "\x94"

# After /PT or /FT: the next item, word or quoted text, is dropped too.
list skipitem
1 ignore : separator+
1 ignore : "=" [^\n]*
1 ignore pop : "#" itemchar* | item
1 ignore pop : "'" [^']* "'"? | "\"" [^"]* "\""? | "\x93" [^\x94]* "\x94"?
