#pragma once

#include <cstddef>

// One language's texts: key and text, both UTF-8. Kept as plain data, one
// source file per language, so that a translator edits only the right column.
struct StringTableEntry {
    const char* key;
    const char* text;
};

struct StringTable {
    const char* language;  // ISO 639-1 code
    bool rightToLeft;
    const StringTableEntry* entries;
    std::size_t count;
};

const StringTable& englishStringTable();
const StringTable& arabicStringTable();
