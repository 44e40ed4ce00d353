/* The search language.  Tokens carry the lexer's numbers; productions are in
   the order the search parser's reduce action numbers them, so no rule has an
   action and every operator has a rule of its own.  Tables: MakeParseTable.py. */
%define lr.default-reduction accepting
%expect 0

%token STRING 2 "string"
%token EQ 3 "="
%token NE 4 "<>"
%token LT 5 "<"
%token LE 6 "<="
%token GT 7 ">"
%token GE 8 ">="
%token BW 9 "bw"
%token EW 10 "ew"
%token EXACTLY 11 "exactly"
%token CONTAINS 12 "contains"
%token LPAREN 13 "("
%token RPAREN 14 ")"
%token COMMA 15 ","
%token ABST 19 "abst"
%token AUTH 20 "auth"
%token CALL 21 "call"
%token CODN 22 "codn"
%token CTNO 23 "ctno"
%token DESC 24 "desc"
%token DTMT 25 "dtmt"
%token EDIT 26 "edit"
%token ISBN 27 "isbn"
%token ISID 28 "isid"
%token ISSN 29 "issn"
%token JRNL 30 "jrnl"
%token KEY 31 "key"
%token MEDM 32 "medm"
%token NOTE 33 "note"
%token PLPU 34 "plpu"
%token PUBL 35 "publ"
%token PRID 36 "prid"
%token SRED 37 "sred"
%token SRIS 38 "sris"
%token SRTI 39 "srti"
%token SRVO 40 "srvo"
%token TITL 41 "titl"
%token JOUR 42 "jour"
%token VOID 43 "void"
%token RECNO 44 "rec#"
%token DATE 45 "date"
%token HASH 46 "#"
%token FORM 47 "form"
%token RSET 48 "rset"
%token AND 49 "and"
%token OR 50 "or"
%token NOT 51 "not"
%token EMPTY 52 "empty"
%token NEMPTY 53 "nempty"
%token FLDNUM 57 "fld#"

/* "and" and "or" bind alike, to the left; "not" binds tightest. */
%left AND OR
%precedence NOT

%%

text: expression;

expression:
    expression AND expression
  | expression OR expression
  | NOT expression
  | LPAREN expression RPAREN
  | terms
  | field EQ terms
  | field NE terms
  | field LT term
  | field LE term
  | field GT term
  | field GE term
  | field BW terms
  | field EW terms
  | field EXACTLY terms
  | field CONTAINS terms
  | field EQ EMPTY
  | field EQ NEMPTY
  | FORM EQ terms
  | FORM NE terms
  | FORM LT term
  | FORM LE term
  | FORM GT term
  | FORM GE term
  | FORM BW terms
  | FORM EW terms
  | FORM EXACTLY terms
  | FORM CONTAINS terms
  | RECNO EQ terms
  | RECNO NE terms
  | RECNO LT term
  | RECNO LE term
  | RECNO GT term
  | RECNO GE term
  | RSET EQ terms
  ;

term: STRING;

terms:
    STRING
  | terms COMMA STRING
  ;

field:
    ABST | AUTH | CALL | CODN | CTNO | DESC | DTMT | EDIT | ISBN | ISID | ISSN | JRNL | KEY
  | MEDM | NOTE | PLPU | PUBL | PRID | SRED | SRIS | SRTI | SRVO | TITL | JOUR | VOID
  | DATE
  | HASH FLDNUM
  ;
