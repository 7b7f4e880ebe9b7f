#include "form_placement.h"

#include <exception>
#include <utility>

#include "store_names.h"
#include "window_placement_io.h"

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
  const auto offScreen = [&window](int cx, int cy) {
    return PlacementPoint{-window.SystemMetric(cx), -window.SystemMetric(cy)};
  };
  switch (window.Border()) {
    case BorderStyle::Single:
    case BorderStyle::ToolWindow:
      return offScreen(kSmCxBorder, kSmCyBorder);
    case BorderStyle::Sizeable:
    case BorderStyle::SizeToolWin:
      return offScreen(kSmCxFrame, kSmCyFrame);
    case BorderStyle::Dialog:
      return offScreen(kSmCxDlgFrame, kSmCyDlgFrame);
    case BorderStyle::None:
      break;
  }
  return {};
}

}  // namespace

// Opens the store for one restore or save and closes it however that ends.
class TFormPlacement::StoreSession {
 public:
  StoreSession(TFormPlacement& placement, bool readOnly) : placement_(placement) {
    placement_.OpenStore(readOnly);
  }
  StoreSession(const StoreSession&) = delete;
  StoreSession& operator=(const StoreSession&) = delete;
  ~StoreSession() { placement_.CloseStore(); }

 private:
  TFormPlacement& placement_;
};

TFormPlacement::TFormPlacement(Registry& registry, PlacementWindow& window, ErrorSink& errors,
                               std::string hostExePath)
    : registry_(registry), window_(window), errors_(errors), hostExePath_(std::move(hostExePath)) {}

void TFormPlacement::LoadFromStore() {
  saved_ = false;
  {
    StoreSession session(*this, true);
    if (store_->ReadInteger(Section(), "FormVersion", 0) >= settings_.Version) {
      ReadPlacementValues();
    }
    // Older data is dropped, and the next save rewrites it.
    restored_ = true;
  }
  FixMaximizedPosition();
}

void TFormPlacement::SaveToStore() {
  // Saving before restoring would overwrite the stored placement with the design one.
  if (!restored_ && settings_.Active) {
    return;
  }
  StoreSession session(*this, false);
  store_->WriteInteger(Section(), "FormVersion", settings_.Version);
  WritePlacementValues();
  saved_ = true;
}

void TFormPlacement::OnShow(const std::function<void()>& ownShow) {
  if (settings_.Active) {
    ShowingErrors(errors_, [this] { LoadFromStore(); });
  }
  if (ownShow) {
    ownShow();
  }
}

bool TFormPlacement::OnCloseQuery(const std::function<bool()>& ownCloseQuery) {
  const bool canClose = ownCloseQuery ? ownCloseQuery() : true;
  if (canClose && settings_.Active && window_.HandleAllocated()) {
    ShowingErrors(errors_, [this] { SaveToStore(); });
  }
  return canClose;
}

void TFormPlacement::OnDestroy(const std::function<void()>& ownDestroy) {
  if (settings_.Active && !saved_) {
    destroying_ = true;
    ShowingErrors(errors_, [this] { SaveToStore(); });
    destroying_ = false;
  }
  if (ownDestroy) {
    ownDestroy();
  }
}

void TFormPlacement::ReadPlacementValues() {
  ReadWindowPlacement(window_, Store(), Section(), settings_.Options.fpState, settings_.Options.fpPosition);
}

void TFormPlacement::WritePlacementValues() {
  if (!settings_.Options.fpState && !settings_.Options.fpPosition) {
    return;
  }
  WriteWindowPlacement(window_, Store(), Section());
  Store().WriteBool(Section(), "Visible", destroying_);
}

std::string TFormPlacement::Section() const {
  return settings_.IniSection.empty() ? DefaultSectionName(window_) : settings_.IniSection;
}

std::string TFormPlacement::KeyPath() const {
  return settings_.IniFileName.empty() ? DefaultStoreKey(hostExePath_) : settings_.IniFileName;
}

void TFormPlacement::OpenStore(bool readOnly) {
  if (!store_) {
    store_.emplace(registry_, KeyPath(), readOnly);
  }
}

void TFormPlacement::FixMaximizedPosition() {
  if (!window_.HandleAllocated()) {
    return;
  }
  auto placement = window_.GetPlacement();
  if (!window_.IsVisible()) {
    placement.showCmd = 0;
  }
  placement.ptMaxPosition = MaximizedPosition(window_);
  window_.SetPlacement(placement);
}

}  // namespace zqt
