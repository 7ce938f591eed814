#pragma once
// Small helpers shared by the main program and the help viewer.

#include <cstdint>
#include <string>

int32_t Min(int32_t a, int32_t b);
int32_t Max(int32_t a, int32_t b);

// Only the letters a to z become capitals; umlauts and every other byte
// keep their case, as the searches and the quiz compare.
char UpAscii(char c);
std::string UpAscii(std::string text);

// Without leading and trailing bytes 0 to 32.
std::string TrimCopy(const std::string& s);
// Runs of blanks become one blank.
std::string RemoveDoubleBlanks(const std::string& s);
// Every line break (CR LF, LF or a lone CR) becomes one blank, for texts
// that must stay on one line.
std::string OneLine(const std::string& s);

// False for a missing file. A file is read-only when no one may write it
// (no write bit at all; that holds even for root) or when this user may not.
// When its attributes cannot be read (a loop of links, a folder that may
// not be searched) the answer is false too, and nothing is shown: the write
// that follows meets the same failure and says so, once.
bool IsFileReadOnly(const std::string& fileName);
