#pragma once
#include <string>
#include <string_view>

// Conversions between the program's code page 1251 texts and the character
// sets the interchange files use. Every byte of code page 1251 has a
// character (0x98, which the code page leaves out, stands for U+0098), so
// the way to UTF-8 always succeeds; the way back fails on a character the
// code page lacks and on bytes that are not UTF-8.
enum class TextCharset { Utf8, Cp1251, Koi8r };

std::string Cp1251ToUtf8(std::string_view text);
// False (and `out` unspecified) when `utf8` is not well-formed UTF-8 or holds a
// character that code page 1251 lacks.
bool Utf8ToCp1251(std::string_view utf8, std::string& out);
// Any of the three sets into code page 1251; false as above.
bool ToCp1251(std::string_view bytes, TextCharset charset, std::string& out);
// "UTF-8", "windows-1251", "cp1251", "KOI8-R" and their usual spellings,
// any case; false for a set the program cannot read.
bool CharsetByName(std::string_view name, TextCharset& charset);
bool IsUtf8(std::string_view bytes);
