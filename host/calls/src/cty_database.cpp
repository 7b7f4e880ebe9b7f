#include "calls/cty_database.h"

#include <algorithm>
#include <array>
#include <limits>

#include "calls/call_area.h"
#include "calls/portable_call.h"
#include "log_files/ascii_text.h"
#include "log_files/file_text.h"
#include "log_files/log_format_error.h"

namespace zqt::calls {

using log_files::IsAsciiDigit;
using log_files::IsAsciiLetter;
using log_files::IsBlank;
using log_files::LogFormatError;
using log_files::ParseSmallNumber;
using log_files::Quoted;
using log_files::Trim;

namespace {

constexpr std::size_t kEntityFields = 8;

bool IsSignedDecimal(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+'))
    text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  const auto all_digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), IsAsciiDigit);
  };
  return !(whole.empty() && fraction.empty()) && all_digits(whole) && all_digits(fraction);
}

bool IsContinentCode(std::string_view text) {
  return text.size() == 2 && IsAsciiLetter(text[0]) && IsAsciiLetter(text[1]);
}

bool IsPrefixText(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '/'; });
}

}  // namespace

class CtyDatabase::Parser {
 public:
  Parser(std::string_view text, std::string_view source_name, CtyDatabase& database)
      : text_(text), source_name_(source_name), database_(database) {}

  void Run() {
    SkipBlanks();
    while (position_ < text_.size()) {
      ReadEntity();
      SkipBlanks();
    }
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& fault) const {
    throw LogFormatError(std::string(source_name_) + " line " + std::to_string(line) + ": " + fault);
  }

  void AdvanceTo(std::size_t position) {
    line_ += static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(position_),
                                         text_.begin() + static_cast<std::ptrdiff_t>(position), '\n'));
    position_ = position;
  }

  void SkipBlanks() {
    std::size_t position = position_;
    while (position < text_.size() && IsBlank(text_[position]))
      ++position;
    AdvanceTo(position);
  }

  int ReadZone(int line, std::string_view text, std::string_view what) const {
    const int zone = ParseSmallNumber(Trim(text));
    if (zone < 0)
      Fail(line, std::string(what) + " " + Quoted(text) + " is not a number");
    return zone;
  }

  void ReadEntity() {
    const int line = line_;
    std::array<std::string_view, kEntityFields> fields;
    for (std::string_view& field : fields) {
      const std::size_t colon = text_.find(':', position_);
      const std::size_t line_end = text_.find('\n', position_);
      if (colon == std::string_view::npos || line_end < colon) {
        Fail(line, "an entity line needs 8 fields each ended by \":\"");
      }
      field = Trim(text_.substr(position_, colon - position_));
      AdvanceTo(colon + 1);
    }
    Entity entity;
    entity.name = fields[0];
    if (entity.name.empty())
      Fail(line, "the entity has no name");
    Target defaults;
    defaults.entity = database_.entities_.size();
    defaults.cq_zone = ReadZone(line, fields[1], "CQ zone");
    defaults.itu_zone = ReadZone(line, fields[2], "ITU zone");
    if (!IsContinentCode(fields[3]))
      Fail(line, "continent " + Quoted(fields[3]) + " is not two letters");
    defaults.continent = ToUpperAscii(fields[3]);
    for (std::size_t i = 4; i < 7; ++i) {
      if (!IsSignedDecimal(fields[i]))
        Fail(line, Quoted(fields[i]) + " is not a number");
    }
    std::string_view prefix = fields[7];
    const bool wae_only = !prefix.empty() && prefix.front() == '*';
    if (wae_only)
      prefix.remove_prefix(1);
    if (!IsPrefixText(prefix))
      Fail(line, "primary prefix " + Quoted(fields[7]) + " is not a prefix");
    entity.prefix = prefix;
    database_.entities_.push_back(std::move(entity));
    Entries& entries = wae_only ? database_.wae_only_entries_ : database_.dxcc_entries_;

    const std::size_t end = text_.find(';', position_);
    if (end == std::string_view::npos) {
      Fail(line, "the prefixes of " + Quoted(fields[0]) + " are not ended by \";\"");
    }
    const std::string_view through_list = text_.substr(0, end);
    for (std::size_t start = position_; start <= end;) {
      const std::size_t comma = std::min(through_list.find(',', start), end);
      AdvanceTo(start);
      SkipBlanks();
      if (position_ < comma)
        ReadEntry(Trim(text_.substr(position_, comma - position_)), defaults, entries);
      start = comma + 1;
    }
    AdvanceTo(end + 1);
  }

  // One prefix or "=" call with its overrides, such as "VE3(4)[4]" or "=K1ABC{EU}".
  void ReadEntry(std::string_view entry, Target target, Entries& entries) {
    const int line = line_;
    const std::string_view written = entry;
    const bool exact = !entry.empty() && entry.front() == '=';
    if (exact)
      entry.remove_prefix(1);
    const std::string_view key = entry.substr(0, entry.find_first_of("([{<~"));
    if (!IsPrefixText(key))
      Fail(line, "bad prefix " + Quoted(written));
    for (std::string_view rest = entry.substr(key.size()); !rest.empty();) {
      constexpr std::string_view kOpen = "([{<~";
      constexpr std::string_view kClose = ")]}>~";
      const std::size_t kind = kOpen.find(rest.front());
      const std::size_t close = kind == std::string_view::npos ? kind : rest.find(kClose[kind], 1);
      if (close == std::string_view::npos)
        Fail(line, "bad override in " + Quoted(written));
      const std::string_view value = rest.substr(1, close - 1);
      const std::size_t slash = value.find('/');
      switch (rest.front()) {
        case '(':
          target.cq_zone = ReadZone(line, value, "CQ zone");
          break;
        case '[':
          target.itu_zone = ReadZone(line, value, "ITU zone");
          break;
        case '{':
          if (!IsContinentCode(value))
            Fail(line, "bad continent in " + Quoted(written));
          target.continent = ToUpperAscii(value);
          break;
        case '<':
          if (slash == std::string_view::npos || !IsSignedDecimal(value.substr(0, slash)) ||
              !IsSignedDecimal(value.substr(slash + 1))) {
            Fail(line, "bad latitude/longitude in " + Quoted(written));
          }
          break;
        default:
          if (!IsSignedDecimal(value))
            Fail(line, "bad UTC offset in " + Quoted(written));
          break;
      }
      rest.remove_prefix(close + 1);
    }
    std::string upper_key = ToUpperAscii(key);
    if (!exact)
      entries.longest_prefix = std::max(entries.longest_prefix, upper_key.size());
    (exact ? entries.exact_calls : entries.prefixes).try_emplace(std::move(upper_key), std::move(target));
  }

  std::string_view text_;
  std::string_view source_name_;
  CtyDatabase& database_;
  std::size_t position_ = 0;
  int line_ = 1;
};

CtyDatabase CtyDatabase::Parse(std::string_view text, std::string_view source_name) {
  CtyDatabase database;
  Parser(text, source_name, database).Run();
  return database;
}

CtyDatabase CtyDatabase::Load(const std::filesystem::path& path) {
  return Parse(log_files::ReadFileText(path, "country file"), path.string());
}

CtyDatabase::Match CtyDatabase::Find(const Entries& entries, const PortableCall& station) {
  // The whole call as written, then without its non-locating suffixes; either above every prefix.
  std::size_t specificity = std::numeric_limits<std::size_t>::max();
  for (const std::string_view key : {std::string_view(station.call), std::string_view(station.exact_key)}) {
    const auto found = entries.exact_calls.find(key);
    if (!key.empty() && found != entries.exact_calls.end())
      return {&found->second, specificity};
    --specificity;
  }
  if (station.maritime)
    return {};
  for (std::size_t length = std::min(station.lookup.size(), entries.longest_prefix); length > 0; --length) {
    const auto found = entries.prefixes.find(std::string_view(station.lookup).substr(0, length));
    if (found != entries.prefixes.end())
      return {&found->second, length};
  }
  return {};
}

Resolution CtyDatabase::Resolve(std::string_view call) const {
  const PortableCall station = AnalyseCall(call);
  const Match dxcc = Find(dxcc_entries_, station);
  const Match wae_only = Find(wae_only_entries_, station);
  Resolution resolution;
  // A call of no DXCC entity is unknown, even where a WAE-only entry matches it.
  if (dxcc.target != nullptr) {
    const Entity& entity = entities_[dxcc.target->entity];
    resolution.dxcc_prefix = entity.prefix;
    resolution.entity = entity.name;
    // Where the station is: a WAE-only entry may say it more precisely than its DXCC entity's (TA1 lies in
    // Europe, the rest of Turkey in Asia; IG9 in Africa, the rest of Italy in Europe).
    const Target& place = wae_only.target != nullptr && wae_only.specificity >= dxcc.specificity
                              ? *wae_only.target
                              : *dxcc.target;
    resolution.continent = place.continent;
    resolution.cq_zone = place.cq_zone;
    resolution.itu_zone = place.itu_zone;
  }
  resolution.main_prefix = MainPrefix(resolution.dxcc_prefix, station.effective_prefix);
  return resolution;
}

}  // namespace zqt::calls
