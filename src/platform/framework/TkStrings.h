#pragma once
// Access to the program's string table.

#include <string>
#include <string_view>

// The text of a string id; empty when there is none.
std::string TkLoadString(unsigned id);

// Field iSubString of a text whose fields are separated by chSep (the document
// string, a command's "prompt\ntooltip"); empty when there is no such field.
std::string TkExtractSubString(std::string_view full, int iSubString, char chSep = '\n');
