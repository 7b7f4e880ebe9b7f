#include "log_files/cabrillo_reader.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "log_files/ascii_text.h"
#include "log_files/bands.h"
#include "log_files/modes.h"

namespace zqt::log_files {

namespace {

// Frequency, mode, date, time, own call and worked call at the least.
constexpr std::size_t kFewestFields = 6;
constexpr std::size_t kFieldsBeforeOwnCall = 4;

bool LooksLikeCall(std::string_view word) {
  bool letter = false;
  bool digit = false;
  for (const char c : word) {
    if (IsAsciiLetter(c)) {
      letter = true;
    } else if (IsAsciiDigit(c)) {
      digit = true;
    } else if (c != '/') {
      return false;
    }
  }
  return letter && digit && word.size() >= 3;
}

bool IsTransmitterId(std::string_view word) {
  return word.size() == 1 && IsAsciiDigit(word[0]);
}

bool IsDate(std::string_view word) {
  if (word.size() != 10 || word[4] != '-' || word[7] != '-')
    return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (i != 4 && i != 7 && !IsAsciiDigit(word[i]))
      return false;
  }
  return true;
}

bool IsTime(std::string_view word) {
  return word.size() == 4 && IsAsciiDigit(word[0]) && IsAsciiDigit(word[1]) && IsAsciiDigit(word[2]) &&
         IsAsciiDigit(word[3]);
}

struct CallPosition {
  std::size_t call = 0;          // index of the worked call
  std::size_t exchange_end = 0;  // one past the received exchange: the transmitter id, if any, is left out
};

// The words from the own call on: own call, sent exchange, worked call, received exchange and an optional
// transmitter id. Both exchanges have the same number of words in nearly every contest, which puts the
// worked call in the middle; otherwise the call-like word nearest the middle is taken.
std::optional<CallPosition> LocateWorkedCall(std::span<const std::string_view> words) {
  const std::size_t n = words.size();
  const bool has_id = n >= 3 && IsTransmitterId(words[n - 1]);
  if (n % 2 == 0 && LooksLikeCall(words[n / 2]))
    return CallPosition{n / 2, n};
  if (n % 2 == 1 && has_id && LooksLikeCall(words[(n - 1) / 2]))
    return CallPosition{(n - 1) / 2, n - 1};
  const std::size_t end = has_id ? n - 1 : n;
  std::optional<CallPosition> best;
  std::size_t best_distance = 0;
  for (std::size_t i = 1; i < end; ++i) {
    if (!LooksLikeCall(words[i]))
      continue;
    const std::size_t distance = 2 * i > end ? 2 * i - end : end - 2 * i;
    if (!best || distance < best_distance) {
      best = CallPosition{i, end};
      best_distance = distance;
    }
  }
  return best;
}

std::string JoinWords(std::span<const std::string_view> words) {
  std::string joined;
  for (const std::string_view word : words) {
    if (!joined.empty())
      joined += ' ';
    joined += word;
  }
  return joined;
}

void ReadQsoLine(std::string_view fields, int line, ReadResult& result) {
  const std::string where = "line " + std::to_string(line) + ": ";
  const std::vector<std::string_view> words = SplitWords(fields);
  if (words.size() < kFewestFields) {
    result.problems.push_back(where + "QSO line has too few fields");
    return;
  }
  const std::optional<std::string_view> band = BandFromCabrilloFrequency(words[0]);
  if (!band) {
    result.problems.push_back(where + "frequency " + Quoted(words[0]) + " is in no amateur band");
    return;
  }
  const std::optional<std::string_view> mode = ModeFromCabrillo(words[1]);
  if (!mode) {
    result.problems.push_back(where + "unknown mode " + Quoted(words[1]));
    return;
  }
  if (!IsDate(words[2])) {
    result.problems.push_back(where + "date " + Quoted(words[2]) + " is not YYYY-MM-DD");
    return;
  }
  if (!IsTime(words[3])) {
    result.problems.push_back(where + "time " + Quoted(words[3]) + " is not HHMM");
    return;
  }
  const std::span<const std::string_view> rest = std::span(words).subspan(kFieldsBeforeOwnCall);
  const std::optional<CallPosition> position = LocateWorkedCall(rest);
  if (!position) {
    result.problems.push_back(where + "no worked call found");
    return;
  }
  LogQso qso;
  qso.call = ToUpperAscii(rest[position->call]);
  qso.band = *band;
  qso.mode = *mode;
  qso.date = words[2];
  qso.time = words[3];
  qso.report = JoinWords(rest.subspan(position->call + 1, position->exchange_end - position->call - 1));
  qso.line = line;
  result.qsos.push_back(std::move(qso));
}

}  // namespace

ReadResult ReadCabrillo(std::string_view text) {
  ReadResult result;
  for (const TextLine& line : SplitLines(text)) {
    const std::string_view body = Trim(line.text);
    if (body.empty())
      continue;
    const std::size_t colon = body.find(':');
    const std::string_view tag = body.substr(0, colon);
    if (colon == std::string_view::npos || tag.empty() || std::any_of(tag.begin(), tag.end(), IsBlank)) {
      result.problems.push_back("line " + std::to_string(line.number) + ": not a Cabrillo tag line");
      continue;
    }
    if (EqualsIgnoringAsciiCase(tag, "END-OF-LOG"))
      break;
    if (EqualsIgnoringAsciiCase(tag, "QSO"))
      ReadQsoLine(body.substr(colon + 1), line.number, result);
  }
  return result;
}

}  // namespace zqt::log_files
