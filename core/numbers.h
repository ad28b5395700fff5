#pragma once

#include "core/text.h"

#include <cstdint>
#include <string_view>

namespace qytxt::core {

// Reads a number as typed into a field: full-width digits count, leading white space and one sign
// are accepted, reading stops at the first non-digit, and the value wraps at 32 bits. No digits
// give 0.
std::int32_t textToInteger(std::string_view text);

// Truncation toward zero, keeping the low 32 bits of the 64-bit result.
std::int32_t realToInteger(double value);

Text integerToText(std::int64_t value);

// printf's "%.13g": whole numbers print as plain digits.
Text realToText(double value);

// fmod: the sign of `a`, smaller than `b` in magnitude. `b` must not be 0.
double remainder(double a, double b);

// The 4 bytes of the value, lowest first.
ByteSet integerToByteSet(std::int32_t value);

// The bytes before the first zero byte.
Text byteSetToText(std::string_view bytes);

} // namespace qytxt::core
