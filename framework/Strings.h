#pragma once
// String and number functions on UTF-8 std::string. Lengths and positions
// count characters (code points), not bytes; positions start at 1.

#include <cstdint>
#include <initializer_list>
#include <string>

// Decimal text with an empty format: plain digits, a minus sign when negative.
std::string Str(int32_t value);
std::string Str(uint32_t value);
// A whole double prints without decimals ("50"); others print their shortest
// round-tripping decimal form.
std::string Str(double value);

// The number at the start of the text, 0 where there is none. Only plain
// decimal notation counts: "nan" and "inf" are not numbers here.
double Val(const std::string& text);

double Max(double a, double b, std::initializer_list<double> more = {});
// Nearest whole number, halves away from zero.
double Round(double value);

// Conversions that saturate at the type's limits; NaN gives 0. A plain C++
// cast of an out-of-range double is undefined behaviour.
int32_t ToInt32(double value);
uint32_t ToUInt32(double value);

// Without leading and trailing white space (blank, TAB, LF, VT, FF, CR).
std::string Trim(const std::string& text);
// Fields of a text split at every occurrence of separator, counted from 1;
// the empty string past the last field.
std::string NthField(const std::string& text, const std::string& separator, int32_t index);
int32_t CountFields(const std::string& text, const std::string& separator);
// The one-character string of a Unicode code point, UTF-8 encoded.
std::string Chr(uint32_t code);

int32_t Len(const std::string& text);
std::string Left(const std::string& text, int32_t count);
std::string Right(const std::string& text, int32_t count);
// From character position start (1-based); count < 0 means to the end.
std::string Mid(const std::string& text, int32_t start, int32_t count = -1);

std::string Uppercase(const std::string& text);
// Every occurrence of find replaced; an empty find changes nothing.
std::string ReplaceAll(const std::string& source, const std::string& find, const std::string& replacement);
