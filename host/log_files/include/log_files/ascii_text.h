#pragma once
// ASCII helpers for log and country-file text: trimming, splitting into lines and words. Letter case is
// core/ascii_case.h's.

#include <string>
#include <string_view>
#include <vector>

#include "core/ascii_case.h"

namespace zqt::log_files {

bool IsAsciiDigit(char c);
bool IsAsciiLetter(char c);
bool IsBlank(char c);  // space, tab, CR, LF, FF, VT

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
std::string_view Trim(std::string_view text);

// Words separated by blanks.
std::vector<std::string_view> SplitWords(std::string_view text);

// One line of a text, without its line break (LF, CRLF or a lone CR at the end), numbered from 1.
struct TextLine {
  std::string_view text;
  int number = 0;
};
std::vector<TextLine> SplitLines(std::string_view text);

// A value as it may appear in a problem report: printable ASCII only and at most 40 characters, in quotes.
std::string Quoted(std::string_view value);

// A run of decimal digits as an int, or -1 when it is empty, holds anything else or exceeds 9 digits.
int ParseSmallNumber(std::string_view digits);

}  // namespace zqt::log_files
