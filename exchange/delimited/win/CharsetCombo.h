// The character sets of imported text in a combo box: the names of the
// import character-set table in table order, each with its value as item
// data.
#pragma once

class CComboBox;

void FillCharsetCombo(CComboBox& combo);
