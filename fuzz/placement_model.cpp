#include "placement_model.h"

namespace zqt::fuzzing {
namespace {

// The integer reading rules: leading spaces, then an optional sign and decimal digits that fit a signed
// 32-bit number, or "$", "x", "X", "0x" or "0X" and hexadecimal digits that fit 32 bits; else `fallback`.
std::int32_t ToInteger(std::string_view text, std::int32_t fallback) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos)
    return fallback;
  text.remove_prefix(start);
  std::size_t prefix = 0;
  bool hex = true;
  bool negative = false;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    prefix = 2;
  } else if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') {
    prefix = 1;
  } else {
    hex = false;
    negative = text[0] == '-';
    prefix = text[0] == '-' || text[0] == '+' ? 1 : 0;
  }
  const std::string_view digits = text.substr(prefix);
  if (digits.empty())
    return fallback;
  std::uint64_t value = 0;
  for (const char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    }
    if (digit < 0)
      return fallback;
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu)
      return fallback;
  }
  if (hex)
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  if (negative)
    return value <= 0x80000000u ? static_cast<std::int32_t>(-static_cast<std::int64_t>(value)) : fallback;
  return value <= 0x7FFFFFFFu ? static_cast<std::int32_t>(value) : fallback;
}

// Word `n` (from 1) of a position text, runs of "," and " " between words, as an integer.
std::int32_t Word(std::string_view text, std::size_t n, std::int32_t fallback) {
  std::size_t start = 0;
  for (std::size_t i = 0, words = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == ',' || text[i] == ' ') {
      if (i > start && ++words == n)
        return ToInteger(text.substr(start, i - start), fallback);
      start = i + 1;
    }
  }
  return fallback;
}

struct ReadFailure {
  std::string text;
};

// What the restore reads from the section, by the store's rules.
class SectionReads {
 public:
  // `values` is null when the section cannot be read.
  explicit SectionReads(const SectionValues* values) : values_(values) {}

  // The text up to its first zero byte; `fallback` when absent; empty for no data whatever the type.
  std::string Text(Name name, std::string_view fallback) const {
    if (values_ == nullptr || !(*values_)[name])
      return std::string(fallback);
    const StoredValue& value = *(*values_)[name];
    if (value.data.empty())
      return {};
    if (value.type != kRegSz && value.type != kRegExpandSz)
      throw ReadFailure{"Invalid data type for '" + std::string(kNames[name]) + "'"};
    return value.data.substr(0, value.data.find('\0'));
  }
  std::int32_t Integer(Name name, std::int32_t fallback) const { return ToInteger(Text(name, ""), fallback); }
  // The value suffixed for the screen size, or the plain one when that gives no text.
  std::string Sized(Name sized, Name plain) const {
    std::string text = Text(sized, "");
    return text.empty() ? Text(plain, "") : text;
  }

 private:
  const SectionValues* values_;
};

}  // namespace

Restore ExpectedRestore(const SectionValues* values, const test::FakeWindow& window) {
  Restore out;
  const SectionReads reads(values);
  WindowPlacement now = window.placement;
  try {
    if (reads.Integer(kFormVersion, 0) >= 0) {
      WindowPlacement p = now;
      // Applied to a hidden window, the record must not show it.
      if (!window.visible)
        p.show_cmd = 0;
      const PlacementRect current = p.normal_position;
      p.flags = static_cast<std::uint32_t>(reads.Integer(kFlags, static_cast<std::int32_t>(p.flags)));
      bool found = false;
      if (const std::string t = reads.Sized(kMinMaxPosSized, kMinMaxPos); !t.empty()) {
        found = true;
        p.min_position = {Word(t, 1, 0), Word(t, 2, 0)};
        p.max_position = {Word(t, 3, 0), Word(t, 4, 0)};
      }
      if (const std::string t = reads.Sized(kNormPosSized, kNormPos); !t.empty()) {
        found = true;
        p.normal_position = {Word(t, 1, current.left), Word(t, 2, current.top), Word(t, 3, current.right),
                             Word(t, 4, current.bottom)};
      }
      if (reads.Integer(kPixelsPerInch, window.pixels_per_inch) != window.pixels_per_inch)
        found = false;
      // A rectangle without width is not applied.
      if (found && p.normal_position.right > p.normal_position.left) {
        out.applied.push_back(p);
        const std::uint32_t show_cmd = now.show_cmd;
        now = p;
        if (p.show_cmd == 0)
          now.show_cmd = show_cmd;
      }
      const std::int32_t show_cmd = reads.Integer(kShowCmd, 0);
      out.state = show_cmd == 3 ? WindowState::kMaximized : WindowState::kNormal;
      // A stored minimised state opens the window normal, without the repaint.
      if (show_cmd != 2 && show_cmd != 6 && show_cmd != 7)
        out.updates = 1;
      out.restored = true;
      out.current_band = reads.Text(kCurrentBand, "1");
    }
    out.restored = true;
    WindowPlacement fixed = now;
    if (!window.visible)
      fixed.show_cmd = 0;
    // The window's border is sizeable: maximised, its sizing frame lies just off the screen.
    fixed.max_position = {-window.SystemMetric(kSmCxFrame), -window.SystemMetric(kSmCyFrame)};
    out.applied.push_back(fixed);
  } catch (const ReadFailure& failure) {
    out.error = failure.text;
  }
  return out;
}

std::vector<test::RecordedWrite> TenValues(const test::FakeWindow& window, bool destroying,
                                           const std::string& current_band) {
  const WindowPlacement& p = window.placement;
  const auto four = [](std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
    return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "," + std::to_string(d);
  };
  const std::string min_max = four(p.min_position.x, p.min_position.y, p.max_position.x, p.max_position.y);
  const PlacementRect& r = p.normal_position;
  const std::string normal = four(r.left, r.top, r.right, r.bottom);
  return {{"FormVersion", "0"},
          {"Flags", std::to_string(static_cast<std::int32_t>(p.flags))},
          {"ShowCmd", std::to_string(static_cast<std::int32_t>(p.show_cmd))},
          {"PixelsPerInch", std::to_string(window.pixels_per_inch)},
          {"MinMaxPos(1920x1080)", min_max},
          {"MinMaxPos", min_max},
          {"NormPos(1920x1080)", normal},
          {"NormPos", normal},
          {"Visible", destroying ? "1" : "0"},
          {"CurrentBand", current_band}};
}

}  // namespace zqt::fuzzing
