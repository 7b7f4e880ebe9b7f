#pragma once
// The placement store: keeps a window's position, size and show state in the registry, restoring them just
// before the window is shown and saving them when it is asked to close or is destroyed.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "placement/error_sink.h"
#include "placement/placement_window.h"
#include "placement/reg_ini_file.h"
#include "placement/registry.h"

namespace zqt {

// What the store keeps of the window: its show state and its position.
struct PlacementOptions {
  bool state = true;
  bool position = true;
};

struct PlacementSettings {
  // When false the hooks neither restore nor save.
  bool active = true;
  // Key path below HKEY_CURRENT_USER; empty means "Software\" and the host program's name.
  std::string ini_file_name;
  // Section (subkey) name; empty means the window's class name.
  std::string ini_section;
  PlacementOptions options;
  // Stored as "FormVersion"; older stored data is not restored.
  std::int32_t version = 0;
};

class TFormPlacement {
 public:
  // `host_exe_path` is the path of the executable of the process that loaded the module.
  TFormPlacement(Registry& registry, PlacementWindow& window, ErrorSink& errors, std::string host_exe_path);
  TFormPlacement(const TFormPlacement&) = delete;
  TFormPlacement& operator=(const TFormPlacement&) = delete;
  virtual ~TFormPlacement() = default;

  PlacementSettings& Settings() { return settings_; }
  const PlacementSettings& Settings() const { return settings_; }

  bool Restored() const { return restored_; }
  bool Saved() const { return saved_; }
  bool Destroying() const { return destroying_; }

  void LoadFromStore();
  void SaveToStore();

  // The window calls these instead of its own handlers; errors of the restore or save go to the error sink
  // and the hook goes on.
  // Restores (when active), then runs the window's own show handler.
  void OnShow(const std::function<void()>& own_show);
  // Runs the window's own close-query handler, then saves when closing is allowed; returns whether it is.
  bool OnCloseQuery(const std::function<bool()>& own_close_query);
  // Saves unless a save already happened since the restore, then runs the window's own destroy handler.
  void OnDestroy(const std::function<void()>& own_destroy);

 protected:
  virtual void ReadPlacementValues();
  virtual void WritePlacementValues();

  // The store opened by LoadFromStore or SaveToStore.
  TRegIniFile& Store() { return *store_; }
  std::string Section() const;
  void MarkRestored() { restored_ = true; }

 private:
  class StoreSession;

  std::string KeyPath() const;
  void OpenStore(bool read_only);
  void CloseStore() { store_.reset(); }
  void FixMaximizedPosition();

  Registry& registry_;
  PlacementWindow& window_;
  ErrorSink& errors_;
  std::string host_exe_path_;
  PlacementSettings settings_;
  std::optional<TRegIniFile> store_;
  bool restored_ = false;
  bool saved_ = false;
  bool destroying_ = false;
};

}  // namespace zqt
