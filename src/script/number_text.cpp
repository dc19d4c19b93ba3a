#include "script/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quillon::script {

namespace {

// The fewest significant digits that read back as `value` (positive and finite), and the
// decimal exponent of the first: value = d.ddd × 10^exponent.
struct Digits {
  std::string digits;
  int exponent = 0;
};

Digits ShortestDigits(double value) {
  char text[40];
  for (int precision = 0; precision < 17; ++precision) {
    std::snprintf(text, sizeof text, "%.*e", precision, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  // text is "d.ddde±xx" (or "de±xx"): the digits without the point, then the exponent.
  Digits shortest;
  const char* at = text;
  for (; *at != 'e'; ++at) {
    if (*at != '.') shortest.digits += *at;
  }
  shortest.exponent = std::atoi(at + 1);
  while (shortest.digits.size() > 1 && shortest.digits.back() == '0') shortest.digits.pop_back();
  return shortest;
}

std::string Fixed(const Digits& number, double value) {
  const std::size_t count = number.digits.size();
  std::string text;
  if (number.exponent < 0) {
    text.assign("0.");
    text.append(std::size_t(-number.exponent - 1), '0');
    text.append(number.digits);
    return text;
  }
  const std::size_t whole = std::size_t(number.exponent) + 1;
  if (count <= whole) {
    // A whole number is written with every digit of its exact value, as many as the shortest
    // digits padded with zeros would take.
    char exact[400];
    std::snprintf(exact, sizeof exact, "%.0f", value);
    return exact;
  }
  text.assign(number.digits, 0, whole);
  text.push_back('.');
  text.append(number.digits, whole, std::string::npos);
  return text;
}

std::string Scientific(const Digits& number) {
  std::string text(1, number.digits.front());
  if (number.digits.size() > 1) {
    text.push_back('.');
    text.append(number.digits, 1, std::string::npos);
  }
  char exponent[16];
  std::snprintf(exponent, sizeof exponent, "e%c%02d", number.exponent < 0 ? '-' : '+',
                std::abs(number.exponent));
  text.append(exponent);
  return text;
}

}  // namespace

std::string ShortestText(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  const std::string sign = std::signbit(value) ? "-" : "";
  if (std::isinf(value)) return sign + "inf";
  if (value == 0) return sign + "0";
  const Digits number = ShortestDigits(std::fabs(value));
  const std::string fixed = Fixed(number, std::fabs(value));
  const std::string scientific = Scientific(number);
  return sign + (scientific.size() < fixed.size() ? scientific : fixed);
}

}  // namespace quillon::script
