#include "exchange/delimited/ImportCharsetTable.h"

const ImportCharset ImportCharsetTable[kImportCharsetCount] = {
    {"Western (ANSI)", 0}, {"Hebrew", 177},    {"Arabic", 178},           {"OEM", 255},
    {"Greek", 161},        {"Turkish", 162},   {"Central European", 238}, {"Cyrillic", 204},
    {"Baltic", 186},       {"Shift-JIS", 128}, {"Hangeul", 129},          {"Thai", 222},
};
