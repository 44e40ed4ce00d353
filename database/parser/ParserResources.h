// Numbers of the table resources ("YACC" and "LEXX") of the program's languages.
#pragma once

const unsigned kSearchLanguageTables = 128;
const unsigned kCitationSearchTables = 129;
const unsigned kCitationDisplayTables = 130;
// The tests' expression language.
const unsigned kTestExpressionTables = 900;
