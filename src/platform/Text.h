#pragma once
// Text helpers: printf-style formatting of the program's messages and the
// case-insensitive comparison the program uses for names.

#include <string>
#include <string_view>

// Formats like printf into a std::string (the program's texts carry %s and
// %d placeholders exactly as they are shown).
std::string Text_Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Case-insensitive equality of UTF-8 texts: ASCII letters and the letters of
// the Latin-1 supplement and Latin Extended-A compare without regard to case;
// every other character must match exactly.
bool Equal_NoCase(std::string_view a, std::string_view b);
