#pragma once

#include <cstddef>
#include <iterator>
#include <span>

// One language's texts: key and text, both UTF-8. The tables are made at build
// time from the translators' files, po/<language>.po (make_string_tables.py).
struct StringTableEntry {
    const char* key;
    const char* text;
};

struct StringTable {
    const char* language;  // ISO 639 code
    bool rightToLeft;
    const StringTableEntry* entries;
    std::size_t count;
};

// Every language's table, English first, in the order of po/LINGUAS.
std::span<const StringTable> stringTables();
