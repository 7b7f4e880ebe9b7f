#include "placement/form_placement.h"

#include <exception>
#include <utility>

#include "placement/store_names.h"
#include "placement/window_placement_io.h"

namespace zqt {
namespace {

template <class Operation>
void ShowingErrors(ErrorSink& errors, Operation&& operation) {
  try {
    std::forward<Operation>(operation)();
  } catch (const std::exception& error) {
    errors.ShowError(error.what());
  }
}

// Where a maximised window puts its top-left corner: its frame just off the screen.
PlacementPoint MaximizedPosition(const PlacementWindow& window) {
  const auto off_screen = [&window](int cx, int cy) {
    return PlacementPoint{-window.SystemMetric(cx), -window.SystemMetric(cy)};
  };
  switch (window.Border()) {
    case BorderStyle::kSingle:
    case BorderStyle::kToolWindow:
      return off_screen(kSmCxBorder, kSmCyBorder);
    case BorderStyle::kSizeable:
    case BorderStyle::kSizeToolWin:
      return off_screen(kSmCxFrame, kSmCyFrame);
    case BorderStyle::kDialog:
      return off_screen(kSmCxDlgFrame, kSmCyDlgFrame);
    case BorderStyle::kNone:
      break;
  }
  return {};
}

}  // namespace

// Opens the store for one restore or save and closes it however that ends.
class TFormPlacement::StoreSession {
 public:
  StoreSession(TFormPlacement& placement, bool read_only) : placement_(placement) {
    placement_.OpenStore(read_only);
  }
  StoreSession(const StoreSession&) = delete;
  StoreSession& operator=(const StoreSession&) = delete;
  ~StoreSession() { placement_.CloseStore(); }

 private:
  TFormPlacement& placement_;
};

TFormPlacement::TFormPlacement(Registry& registry, PlacementWindow& window, ErrorSink& errors,
                               std::string host_exe_path)
    : registry_(registry), window_(window), errors_(errors), host_exe_path_(std::move(host_exe_path)) {}

void TFormPlacement::LoadFromStore() {
  saved_ = false;
  {
    StoreSession session(*this, true);
    if (store_->ReadInteger(Section(), "FormVersion", 0) >= settings_.version) {
      ReadPlacementValues();
    }
    // Older data is dropped, and the next save rewrites it.
    restored_ = true;
  }
  FixMaximizedPosition();
}

void TFormPlacement::SaveToStore() {
  // Saving before restoring would overwrite the stored placement with the design one.
  if (!restored_ && settings_.active) {
    return;
  }
  StoreSession session(*this, false);
  store_->WriteInteger(Section(), "FormVersion", settings_.version);
  WritePlacementValues();
  saved_ = true;
}

void TFormPlacement::OnShow(const std::function<void()>& own_show) {
  if (settings_.active) {
    ShowingErrors(errors_, [this] { LoadFromStore(); });
  }
  if (own_show) {
    own_show();
  }
}

bool TFormPlacement::OnCloseQuery(const std::function<bool()>& own_close_query) {
  const bool can_close = own_close_query ? own_close_query() : true;
  if (can_close && settings_.active && window_.HandleAllocated()) {
    ShowingErrors(errors_, [this] { SaveToStore(); });
  }
  return can_close;
}

void TFormPlacement::OnDestroy(const std::function<void()>& own_destroy) {
  if (settings_.active && !saved_) {
    destroying_ = true;
    ShowingErrors(errors_, [this] { SaveToStore(); });
    destroying_ = false;
  }
  if (own_destroy) {
    own_destroy();
  }
}

void TFormPlacement::ReadPlacementValues() {
  ReadWindowPlacement(window_, Store(), Section(), settings_.options.state, settings_.options.position);
}

void TFormPlacement::WritePlacementValues() {
  if (!settings_.options.state && !settings_.options.position) {
    return;
  }
  WriteWindowPlacement(window_, Store(), Section());
  Store().WriteBool(Section(), "Visible", destroying_);
}

std::string TFormPlacement::Section() const {
  return settings_.ini_section.empty() ? DefaultSectionName(window_) : settings_.ini_section;
}

std::string TFormPlacement::KeyPath() const {
  return settings_.ini_file_name.empty() ? DefaultStoreKey(host_exe_path_) : settings_.ini_file_name;
}

void TFormPlacement::OpenStore(bool read_only) {
  if (!store_) {
    store_.emplace(registry_, KeyPath(), read_only);
  }
}

void TFormPlacement::FixMaximizedPosition() {
  if (!window_.HandleAllocated()) {
    return;
  }
  auto placement = window_.GetPlacement();
  if (!window_.IsVisible()) {
    placement.show_cmd = 0;
  }
  placement.max_position = MaximizedPosition(window_);
  window_.SetPlacement(placement);
}

}  // namespace zqt
