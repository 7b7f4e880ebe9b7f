#pragma once
// The placement store of the statistics window: keeps the window's position, size and show state, and the
// stored value "CurrentBand", in the window's section, restoring them just before the window is shown and
// saving them when it is asked to close or is destroyed.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "placement/placement_window.h"
#include "placement/settings_section.h"

namespace zqt {

// Where errors caught in the store's hooks go: the window shows them in its standard error box.
class ErrorSink {
 public:
  virtual ~ErrorSink() = default;
  virtual void ShowError(std::string_view text) = 0;
};

class TFormStorage {
 public:
  TFormStorage(SettingsSection& section, PlacementWindow& window, ErrorSink& errors)
      : section_(section), window_(window), errors_(errors) {}
  TFormStorage(const TFormStorage&) = delete;
  TFormStorage& operator=(const TFormStorage&) = delete;

  // The window calls these instead of its own handlers; an error of the restore or save goes to the error
  // sink and the hook goes on.
  // Restores, then runs the window's own show handler.
  void OnShow(const std::function<void()>& own_show);
  // Runs the window's own close-query handler, then saves when closing is allowed; returns whether it is.
  bool OnCloseQuery(const std::function<bool()>& own_close_query);
  // Saves unless a save already happened since the restore.
  void OnDestroy();

 private:
  void LoadFromStore();
  void SaveToStore();
  void ReadWindowPlacement();
  void WriteWindowPlacement();
  void FixMaximizedPosition();

  std::string ReadText(std::string_view name, std::string_view fallback);
  std::int32_t ReadInteger(std::string_view name, std::int32_t fallback);
  // The value suffixed for the current screen size, else the plain value.
  std::string ReadSizedText(std::string_view name);
  void WriteText(std::string_view name, std::string_view text);
  // The suffixed value, then the plain one.
  void WriteSizedText(std::string_view name, std::string_view text);
  std::string ScreenSuffix() const;

  SettingsSection& section_;
  PlacementWindow& window_;
  ErrorSink& errors_;
  // The stored value: the integer 1 until a restore reads its text; only its text is ever written.
  std::string current_band_ = "1";
  bool restored_ = false;
  bool saved_ = false;
  bool destroying_ = false;
};

}  // namespace zqt
