// List and combo boxes filled from string resources.
#pragma once

#include <windows.h>

class CListBox;
class CComboBox;

// Each line of string nID (split at line feeds, empty lines kept) as an item.
void AddResourceLinesToListBox(CListBox& listBox, UINT nID);
// The same; nothing when the string does not load.
void AddResourceLinesToComboBox(CComboBox& combo, UINT nID);
// Strings nFirstID..nLastID, in order, an item each.
void AddResourceRangeToListBox(CListBox& listBox, UINT nFirstID, UINT nLastID);
