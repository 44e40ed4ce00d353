# Lexical rules of the search language (MakeLexerTable.py).  Token numbers are
# the parser's; words take letters in any case, and a word followed by more
# term characters is a term (longest match).
let blank = [ \t\n]
let termchar = [^ \t\n"'#(),<=>\x93]

list main
1 ignore : blank+
3 : "="
4 : "<>"
5 : "<"
6 : "<="
7 : ">"
8 : ">="
9 : i"begins with"
10 : i"ends with"
11 : i"exactly"
12 : i"contains"
13 : "("
14 : ")"
15 : ","
16 ignore push apostrophe : "'"
17 ignore push quote : "\""
18 ignore push curly : "\x93"
19 : i"abst" | i"abstract"
20 : i"auth" | i"author"
21 : i"call"
22 : i"codn"
23 : i"ctno"
24 : i"desc"
25 : i"dtmt"
26 : i"edit"
27 : i"isbn"
28 : i"isid"
29 : i"issn"
30 : i"jrnl"
31 : i"key" | i"keyword" | i"keywords"
32 : i"medm"
33 : i"note"
34 : i"plpu"
35 : i"publ"
36 : i"prid"
37 : i"sred"
38 : i"sris"
39 : i"srti"
40 : i"srvo"
41 : i"titl" | i"title"
42 : i"jour" | i"journal"
43 : i"void"
44 : i"rec#" | i"id" | i"recid" | i"recno" | i"record#" | i"record id" | i"record number"
45 : i"date"
46 push fieldnumber : "#"
47 : i"form" | i"workform"
48 : i"rs" | i"group" | i"result set"
49 : i"and"
50 : i"or"
51 : i"not"
52 : i"empty"
53 : i"not empty"
# Last, so that the words above win over a term of the same length.
2 : termchar+

# The field number after "#": 1 to 45, or 0 and one digit.
list fieldnumber
57 pop : [1-9] | [1-3][0-9] | "4" [0-5] | "0" [0-9]

# Quoted terms: everything up to the closing mark, which is dropped.
list apostrophe
2 : [^']+
54 ignore pop : "'"

list quote
2 : [^"]+
55 ignore pop : "\""

list curly
2 : [^\x94]+
56 ignore pop : "\x94"
