#pragma once
// Small text helpers of the core. Text is UTF-8 throughout.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace koruvan {

// The fields between the separators, empty ones included: "a\t\tb" gives "a", "", "b".
std::vector<std::string_view> splitFields(std::string_view line, char separator);
// The fields joined by the separator, as one line of a text file ended by CR LF.
std::string fieldLine(std::initializer_list<std::string_view> fields, char separator);
// The lines of a UTF-8 text, after a leading byte-order mark, each without its line end (LF or CR LF); a last
// line end begins no further line.
std::vector<std::string_view> textLines(std::string_view text);

// Removes surrounding blanks (U+0020) only; blanks inside are kept.
std::string trimBlanks(std::string_view text);

// Upper-cases ASCII letters only (class names are compared this way).
std::string toUpperAscii(std::string_view text);

// Decodes one code point at `pos` and advances it; malformed bytes decode as U+FFFD, one byte each.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t codePoint);
bool isValidUtf8(std::string_view text);
// Length of the text in UTF-16 code units, as the W calls count it.
std::size_t utf16Length(std::string_view text);

// The decimal integer at the start of the text after leading blanks and tabs, with an optional sign; 0 when
// there is none. The readers of hand-edited values use it. Saturates at the int64 range.
std::int64_t leadingInteger(std::string_view text);

// As leadingInteger, but a lower-case "0x", "0o" or "0b" after the sign makes the digits hexadecimal, octal
// or binary, as the system's own conversion of a profile value takes them ("-0x10" is -16). "0X" and a plain
// leading zero stay decimal.
std::int64_t leadingPrefixedInteger(std::string_view text);

// The number at the start of a text the way a basic numeric conversion reads it: leading blanks skipped, an
// optional sign, digits with an optional fraction; reading stops at the first character that cannot continue
// it. 0 when there is no number.
double leadingNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour.
double roundHalfEven(double value);

}  // namespace koruvan
