#include "calls/portable_call.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "log_files/ascii_text.h"

namespace zqt::calls {

using log_files::IsAsciiDigit;
using log_files::Trim;

namespace {

// Short suffixes that do not move the station; longer words of letters alone (/QRP, /YOTA) never name a
// place either.
constexpr std::array<std::string_view, 5> kStaySuffixes = {"P", "M", "A", "B", "LH"};
constexpr std::array<std::string_view, 2> kMaritimeSuffixes = {"MM", "AM"};

bool IsOneOf(std::string_view part, std::span<const std::string_view> list) {
  return std::find(list.begin(), list.end(), part) != list.end();
}

// Up to and including the last digit; the whole text when it has none.
std::string_view PrefixOf(std::string_view part) {
  const std::size_t digit = part.find_last_of("0123456789");
  return digit == std::string_view::npos ? part : part.substr(0, digit + 1);
}

// Letters after the last digit: the part is a whole call, not a bare prefix.
bool HasSuffix(std::string_view part) {
  const std::size_t digit = part.find_last_of("0123456789");
  return digit != std::string_view::npos && digit + 1 < part.size();
}

// A location is a prefix with a digit (VE3, KH6, VP2E) or one of one or two letters (F, VE); longer words
// of letters alone (/YOTA, /LGT) are award or event suffixes.
bool CanBeLocation(std::string_view part) {
  const auto digits = static_cast<std::size_t>(std::count_if(part.begin(), part.end(), IsAsciiDigit));
  if (digits == part.size())
    return false;
  return digits > 0 || part.size() <= 2;
}

// The prefix with its trailing digits replaced by the area digit: JA1 and 3 give JA3, VK90 and 3 give VK3.
std::string WithAreaDigit(std::string_view prefix, char digit) {
  while (!prefix.empty() && IsAsciiDigit(prefix.back()))
    prefix.remove_suffix(1);
  return std::string(prefix) + digit;
}

std::string Join(const std::vector<std::string_view>& parts) {
  std::string joined;
  for (const std::string_view part : parts) {
    if (!joined.empty())
      joined += '/';
    joined += part;
  }
  return joined;
}

// The longest part is the home call; between equally long parts a whole call wins, then the first.
std::size_t HomeIndex(const std::vector<std::string_view>& parts) {
  std::size_t home = 0;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const bool longer = parts[i].size() > parts[home].size();
    const bool as_long_but_whole =
        parts[i].size() == parts[home].size() && HasSuffix(parts[i]) && !HasSuffix(parts[home]);
    if (longer || as_long_but_whole)
      home = i;
  }
  return home;
}

}  // namespace

PortableCall AnalyseCall(std::string_view call) {
  PortableCall result;
  result.call = ToUpperAscii(Trim(call));
  std::vector<std::string_view> parts;
  std::string_view rest = result.call;
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    if (!part.empty())
      parts.push_back(part);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
  }
  if (parts.empty())
    return result;

  char area_digit = 0;
  while (parts.size() > 1) {
    const std::string_view last = parts.back();
    if (IsOneOf(last, kMaritimeSuffixes)) {
      result.maritime = true;
    } else if (last.size() == 1 && IsAsciiDigit(last[0])) {
      area_digit = last[0];
    } else if (!IsOneOf(last, kStaySuffixes) && CanBeLocation(last)) {
      break;
    }
    parts.pop_back();
  }
  if (area_digit == 0 && !result.maritime)
    result.exact_key = Join(parts);

  const std::size_t home_index = HomeIndex(parts);
  const std::string_view home = parts[home_index];
  std::string_view location;
  for (std::size_t i = 0; i < parts.size() && location.empty(); ++i) {
    if (i != home_index && CanBeLocation(parts[i]))
      location = parts[i];
  }

  if (!location.empty()) {
    result.effective_prefix = area_digit != 0 ? WithAreaDigit(location, area_digit) : std::string(location);
    result.lookup = result.effective_prefix;
  } else {
    const std::string_view prefix = PrefixOf(home);
    result.effective_prefix = area_digit != 0 ? WithAreaDigit(prefix, area_digit) : std::string(prefix);
    result.lookup = result.effective_prefix + std::string(home.substr(prefix.size()));
  }
  return result;
}

}  // namespace zqt::calls
