/* Citation display text: the display options of a citation.  Productions are
   in the order the reduce action numbers them; no actions.
   Tables: MakeParseTable.py. */
%define lr.default-reduction accepting
%expect 0

%token STRING 2 "string"
%token FOLLOWING 6 "following"
%token HIDEALL 7 "hideall"
%token HIDEAUTHOR 8 "hideauthor"
%token PRECEDING 9 "preceding"

%%

options:
    options option
  | %empty
  ;

option:
    HIDEALL
  | HIDEAUTHOR
  | PRECEDING STRING
  | FOLLOWING STRING
  | STRING
  ;
