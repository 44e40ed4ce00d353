/* A small expression language of the parser runtime's tests: statements of
   arithmetic with calls, strings and error recovery at ";".  Production
   numbers are what the tests' reduce action switches on; no actions.
   Tables: MakeParseTable.py. */
%define lr.default-reduction accepting
%expect 0

%token NUMBER 2 "number"
%token NAME 3 "name"
%token STRING 4 "text"
%token PLUS 5 "+"
%token MINUS 6 "-"
%token TIMES 7 "*"
%token DIVIDE 8 "/"
%token LPAREN 9 "("
%token RPAREN 10 ")"
%token COMMA 11 ","
%token SEMICOLON 12 ";"
%token ASSIGN 13 "="

%left PLUS MINUS
%left TIMES DIVIDE
%precedence NEGATE

%%

program: statements;

statements:
    statements statement
  | statement
  ;

statement:
    expr SEMICOLON
  | NAME ASSIGN expr SEMICOLON
  | error SEMICOLON
  ;

expr:
    expr PLUS expr
  | expr MINUS expr
  | expr TIMES expr
  | expr DIVIDE expr
  | MINUS expr %prec NEGATE
  | LPAREN expr RPAREN
  | NUMBER
  | NAME
  | texts
  | NAME LPAREN args RPAREN
  ;

/* A string with escapes arrives in pieces. */
texts:
    STRING
  | texts STRING
  ;

args:
    expr
  | args COMMA expr
  ;
