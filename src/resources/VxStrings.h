#pragma once
// The program's string table: messages, type names, captions, prompts and the
// document string, as UTF-8.

#include <span>

struct VxStringEntry {
    unsigned id;
    const char* text;
};

// The text of a string id, or null when the table has no such id.
const char* VxGetString(unsigned id);

// Every entry, for tools and checks that walk the table.
std::span<const VxStringEntry> VxGetStringTable();
