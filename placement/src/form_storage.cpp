#include "placement/form_storage.h"

#include <cstdint>
#include <exception>

#include "core/error.h"
#include "placement/value_format.h"

namespace zqt {
namespace {

// Stored as "FormVersion"; stored data of an older version is not restored.
constexpr std::int32_t kVersion = 0;

// Opens the section for one restore or save and closes it however that ends.
class OpenSection {
 public:
  OpenSection(SettingsSection& section, bool read_only) : section_(section) { section_.Open(read_only); }
  OpenSection(const OpenSection&) = delete;
  OpenSection& operator=(const OpenSection&) = delete;
  ~OpenSection() { section_.Close(); }

 private:
  SettingsSection& section_;
};

template <class Operation>
void ShowingErrors(ErrorSink& errors, Operation&& operation) {
  try {
    operation();
  } catch (const std::exception& error) {
    errors.ShowError(error.what());
  }
}

}  // namespace

void TFormStorage::OnShow(const std::function<void()>& own_show) {
  ShowingErrors(errors_, [this] { LoadFromStore(); });
  own_show();
}

bool TFormStorage::OnCloseQuery(const std::function<bool()>& own_close_query) {
  const bool can_close = own_close_query();
  if (can_close) {
    ShowingErrors(errors_, [this] { SaveToStore(); });
  }
  return can_close;
}

void TFormStorage::OnDestroy() {
  if (!saved_) {
    destroying_ = true;
    ShowingErrors(errors_, [this] { SaveToStore(); });
    destroying_ = false;
  }
}

void TFormStorage::LoadFromStore() {
  saved_ = false;
  {
    const OpenSection open(section_, true);
    if (ReadInteger("FormVersion", 0) >= kVersion) {
      ReadWindowPlacement();
      // A bad stored value must not keep the placement just read from being saved again.
      restored_ = true;
      current_band_ = ReadText("CurrentBand", current_band_);
    }
    // Older data is dropped, and the next save rewrites it.
    restored_ = true;
  }
  FixMaximizedPosition();
}

void TFormStorage::SaveToStore() {
  // Saving before restoring would overwrite the stored placement with the design one.
  if (!restored_) {
    return;
  }
  const OpenSection open(section_, false);
  WriteText("FormVersion", std::to_string(kVersion));
  WriteWindowPlacement();
  WriteText("Visible", destroying_ ? "1" : "0");
  WriteText("CurrentBand", current_band_);
  saved_ = true;
}

void TFormStorage::ReadWindowPlacement() {
  auto placement = window_.GetPlacement();
  // Applying the record to a hidden window must not show it.
  if (!window_.IsVisible()) {
    placement.show_cmd = 0;
  }
  const PlacementRect current = placement.normal_position;
  placement.flags =
      static_cast<std::uint32_t>(ReadInteger("Flags", static_cast<std::int32_t>(placement.flags)));
  bool found = false;
  if (const auto text = ReadSizedText("MinMaxPos"); !text.empty()) {
    found = true;
    placement.min_position = {PositionWord(text, 1, 0), PositionWord(text, 2, 0)};
    placement.max_position = {PositionWord(text, 3, 0), PositionWord(text, 4, 0)};
  }
  auto& normal = placement.normal_position;
  if (const auto text = ReadSizedText("NormPos"); !text.empty()) {
    found = true;
    normal = {PositionWord(text, 1, current.left), PositionWord(text, 2, current.top),
              PositionWord(text, 3, current.right), PositionWord(text, 4, current.bottom)};
  }
  // Positions taken at another display resolution do not fit this one.
  const bool same_display = ReadInteger("PixelsPerInch", window_.PixelsPerInch()) == window_.PixelsPerInch();
  if (found && same_display && normal.right > normal.left) {
    window_.SetPlacement(placement);
  }
  const std::int32_t show_cmd = ReadInteger("ShowCmd", 0);
  // An always-on-top window opens normal unless it was maximised.
  window_.SetState(show_cmd == 3 ? WindowState::kMaximized : WindowState::kNormal);
  // A minimised state would be requested of the application's own top-level window, which this module does
  // not have: the window opens normal, without the repaint.
  if (show_cmd != 2 && show_cmd != 6 && show_cmd != 7) {
    window_.Update();
  }
}

void TFormStorage::WriteWindowPlacement() {
  const auto placement = window_.GetPlacement();
  WriteText("Flags", std::to_string(static_cast<std::int32_t>(placement.flags)));
  WriteText("ShowCmd", std::to_string(static_cast<std::int32_t>(placement.show_cmd)));
  WriteText("PixelsPerInch", std::to_string(window_.PixelsPerInch()));
  const auto& min = placement.min_position;
  const auto& max = placement.max_position;
  WriteSizedText("MinMaxPos", PositionText(min.x, min.y, max.x, max.y));
  const auto& normal = placement.normal_position;
  WriteSizedText("NormPos", PositionText(normal.left, normal.top, normal.right, normal.bottom));
}

void TFormStorage::FixMaximizedPosition() {
  auto placement = window_.GetPlacement();
  if (!window_.IsVisible()) {
    placement.show_cmd = 0;
  }
  // Maximised, the window puts its sizing frame just off the screen; the next save stores that corner.
  placement.max_position = {-window_.SystemMetric(kSmCxFrame), -window_.SystemMetric(kSmCyFrame)};
  window_.SetPlacement(placement);
}

std::string TFormStorage::ReadText(std::string_view name, std::string_view fallback) {
  const auto value = section_.Read(name);
  return value ? ValueText(name, *value) : std::string(fallback);
}

std::int32_t TFormStorage::ReadInteger(std::string_view name, std::int32_t fallback) {
  return TextToInt(ReadText(name, ""), fallback);
}

std::string TFormStorage::ReadSizedText(std::string_view name) {
  auto text = ReadText(std::string(name) + ScreenSuffix(), "");
  return text.empty() ? ReadText(name, "") : text;
}

void TFormStorage::WriteText(std::string_view name, std::string_view text) {
  switch (section_.Write(name, text)) {
    case WriteResult::kWritten:
    case WriteResult::kNoKey:
      return;
    case WriteResult::kSectionNotCreated:
      throw Error("Failed to create key " + std::string(kSectionName));
    case WriteResult::kValueNotSet:
      break;
  }
  throw Error("Failed to set data for '" + std::string(name) + "'");
}

void TFormStorage::WriteSizedText(std::string_view name, std::string_view text) {
  WriteText(std::string(name) + ScreenSuffix(), text);
  WriteText(name, text);
}

std::string TFormStorage::ScreenSuffix() const {
  return ScreenSizeSuffix(window_.SystemMetric(kSmCxScreen), window_.SystemMetric(kSmCyScreen));
}

}  // namespace zqt
