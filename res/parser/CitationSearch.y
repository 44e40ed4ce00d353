/* Citation-search text: the search terms and record IDs of a citation.
   Productions are in the order the reduce action numbers them; no actions.
   Tables: MakeParseTable.py. */
%define lr.default-reduction accepting
%expect 0

%token STRING 2 "string"
%token ID 14 "/ID"
%token HASH 15 "#"

%%

items:
    items item
  | %empty
  ;

item:
    HASH STRING ID
  | HASH STRING
  | STRING ID
  | STRING
  ;
