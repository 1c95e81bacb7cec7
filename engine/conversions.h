// Conversions between typed text and numbers, and the one-decimal rounding of
// every figure shown. All of them are locale-free: the decimal separator is
// always the full stop, so a normalised text reads back the same everywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vitayear {

// The number at the front of a text, blanks, tabs and line feeds anywhere
// ignored, a decimal comma read as the full stop; 0 when no digit was read.
// Overflow gives an infinity, which the assessment refuses.
double LeadingNumber(std::string_view text);

// Plain decimal text: 15 significant digits for a double, 7 for a single,
// no exponent, no trailing zeros, "0." written before a fraction, "0" for
// negative zero.
std::string NumberText(double value);
std::string NumberText(float value);

// NumberText with a blank in the sign place of a non-negative value.
std::string SignedNumberText(double value);
std::string SignedNumberText(float value);
std::string SignedNumberText(std::int32_t value);

// The whole text, less blanks at either end, must be a number; nullopt when
// it is not (the type mismatch of the original rules).
std::optional<double> StrictNumber(std::string_view text);

// Nearest whole number, halves to even; nullopt outside the 32-bit range.
std::optional<std::int32_t> RoundToWhole(double value);

// One-decimal rounding: floor(value * 10 + 0.49) / 10, the product formed in
// the value's own precision, written by SignedNumberText.
std::string RndNr(double value);
std::string RndNr(float value);

// Whether RndNr of the value is a finite figure (its scaled sum does not
// overflow). Figures that fail this are never shown.
bool RndNrIsFinite(double value);

}  // namespace vitayear
