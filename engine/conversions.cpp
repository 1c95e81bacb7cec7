#include "conversions.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace vitayear {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "&H1F" or "&O17": a non-negative whole number in base 16 or 8.
double RadixNumber(std::string_view digits, int radix) {
  double value = 0;
  for (char c : digits) {
    const int d = HexValue(c);
    if (d < 0 || d >= radix) break;
    value = value * radix + d;
  }
  return value;
}

struct Scanned {
  double value = 0;
  std::size_t length = 0;  // characters that form the number; 0 when none
};

// Reads "[+-] digits [. digits] [(e|E) [+-] digits]" from the front of text,
// with at least one mantissa digit. The value is converted by from_chars from
// a rebuilt text, so no locale is consulted and huge exponents cannot wrap.
Scanned ScanDecimal(std::string_view s) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t intStart = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  const std::string_view intDigits = s.substr(intStart, i - intStart);
  std::string_view fracDigits;
  if (i < s.size() && s[i] == '.') {
    const std::size_t fracStart = i + 1;
    std::size_t j = fracStart;
    while (j < s.size() && IsDigit(s[j])) ++j;
    fracDigits = s.substr(fracStart, j - fracStart);
    if (!intDigits.empty() || !fracDigits.empty()) i = j;
  }
  if (intDigits.empty() && fracDigits.empty()) return {};

  long long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    bool expNegative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
    if (j < s.size() && IsDigit(s[j])) {
      for (; j < s.size() && IsDigit(s[j]); ++j) {
        // Saturate: anything this large overflows or underflows anyway.
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[j] - '0');
      }
      if (expNegative) exponent = -exponent;
      i = j;
    }
  }

  std::string rebuilt;
  rebuilt.reserve(intDigits.size() + fracDigits.size() + 16);
  rebuilt.append(intDigits.empty() ? std::string_view("0") : intDigits);
  rebuilt.push_back('.');
  rebuilt.append(fracDigits.empty() ? std::string_view("0") : fracDigits);
  rebuilt.push_back('e');
  rebuilt.append(std::to_string(exponent));

  double value = 0;
  const auto [end, ec] = std::from_chars(rebuilt.data(), rebuilt.data() + rebuilt.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Tell overflow from underflow by the decimal magnitude of the first
    // significant digit.
    const std::size_t intLead = intDigits.find_first_not_of('0');
    long long magnitude;
    if (intLead != std::string_view::npos) {
      magnitude = static_cast<long long>(intDigits.size() - intLead) + exponent;
    } else {
      const std::size_t fracLead = fracDigits.find_first_not_of('0');
      magnitude = exponent - static_cast<long long>(fracLead == std::string_view::npos ? 0 : fracLead);
    }
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return {negative ? -value : value, i};
}

// Decimal digits and exponent of a finite non-zero value rounded to
// `significant` digits, written out in plain positional form.
std::string PositionalText(double value, int significant, bool isFloat) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (value == 0) return "0";  // also negative zero

  char buf[64];
  const auto result = isFloat
                          ? std::to_chars(buf, buf + sizeof buf, static_cast<float>(value),
                                          std::chars_format::scientific, significant - 1)
                          : std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, significant - 1);
  const std::string_view sci(buf, static_cast<std::size_t>(result.ptr - buf));

  const bool negative = sci.front() == '-';
  const std::size_t ePos = sci.find('e');
  std::string digits;
  for (char c : sci.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0)))
    if (IsDigit(c)) digits.push_back(c);
  int exponent = 0;
  std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (negative) out.push_back('-');
  if (exponent >= 0) {
    const auto intLength = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intLength) {
      out += digits;
      out.append(intLength - digits.size(), '0');
    } else {
      out.append(digits, 0, intLength);
      out.push_back('.');
      out.append(digits, intLength, std::string::npos);
    }
  } else {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  }
  return out;
}

std::string WithSignPlace(std::string text) {
  if (text.empty() || text.front() != '-') text.insert(text.begin(), ' ');
  return text;
}

std::string_view TrimBlanks(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  // A decimal comma reads as the full stop: with a comma-decimal keyboard
  // the keypad types "23,8", which must not read as 23. Where a full stop
  // could not continue the number, neither can the comma.
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') s.push_back(c == ',' ? '.' : c);

  if (s.size() >= 2 && s[0] == '&') {
    const std::string_view digits = std::string_view(s).substr(2);
    if (s[1] == 'H' || s[1] == 'h') return RadixNumber(digits, 16);
    if (s[1] == 'O' || s[1] == 'o') return RadixNumber(digits, 8);
  }
  return ScanDecimal(s).value;
}

std::string NumberText(double value) { return PositionalText(value, 15, false); }
std::string NumberText(float value) { return PositionalText(value, 7, true); }

std::string SignedNumberText(double value) { return WithSignPlace(NumberText(value)); }
std::string SignedNumberText(float value) { return WithSignPlace(NumberText(value)); }
std::string SignedNumberText(std::int32_t value) { return WithSignPlace(std::to_string(value)); }

std::optional<double> StrictNumber(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  const Scanned scanned = ScanDecimal(trimmed);
  if (scanned.length == 0 || scanned.length != trimmed.size()) return std::nullopt;
  return scanned.value;
}

std::optional<std::int32_t> RoundToWhole(double value) {
  if (std::isnan(value)) return std::nullopt;
  const double below = std::floor(value);
  const double fraction = value - below;  // exact for every finite double
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1;
  if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

std::string RndNr(double value) {
  const double scaled = value * 10;
  return SignedNumberText(std::floor(scaled + 0.49) / 10);
}

std::string RndNr(float value) {
  const float scaled = value * 10.0F;  // single-precision product, on purpose
  return SignedNumberText(std::floor(static_cast<double>(scaled) + 0.49) / 10);
}

bool RndNrIsFinite(double value) { return std::isfinite(value * 10 + 0.49); }

}  // namespace vitayear
