#include "module_state.h"

#include <algorithm>

#include "statistics_window.h"
#include "win32/win_placement_window.h"

namespace zqt::win32 {

ModuleState& Module() {
  static ModuleState state;
  return state;
}

ModuleState::ModuleState() : classes_(nullptr, TfmMainForm::WindowProc) {}
ModuleState::~ModuleState() = default;

void ModuleState::Loaded(HINSTANCE instance) {
  classes_ = WindowClasses(instance, TfmMainForm::WindowProc);
}

int ModuleState::PixelsPerInch() {
  if (pixels_per_inch_ == 0)
    pixels_per_inch_ = ReadLogicalPixelsPerInch();
  return pixels_per_inch_;
}

TfmMainForm* ModuleState::Current() const {
  const auto open =
      std::ranges::find_if(windows_, [](const auto& window) { return window->Life().IsOpen(); });
  return open == windows_.end() ? nullptr : open->get();
}

void ModuleState::DropGone() {
  std::erase_if(windows_, [](const auto& window) { return window->Life().MayBeDropped(); });
}

HWND ModuleState::Run(const TContestData& data) {
  TfmMainForm* window = Current();
  if (!window) {
    DropGone();
    // The window copies the record into the buffer itself; taking it fails only short of memory, and then the
    // window goes and nothing refers to it.
    windows_.push_back(std::make_unique<TfmMainForm>(WindowSetting{classes_, PixelsPerInch(), buffer_}, data,
                                                     [this] { DropGone(); }));
    window = windows_.back().get();
  }
  const HWND handle = window->Handle();
  window->Show();
  return handle;
}

int ModuleState::GetScore(const TContestData& data) {
  buffer_.CopyIn(&data);
  const TfmMainForm* window = Current();
  return window ? window->CheckQSO() : 0;
}

int ModuleState::AddQSO(const TContestData& data) {
  buffer_.CopyIn(&data);
  TfmMainForm* window = Current();
  return window ? window->AddQSO() : 0;
}

void ModuleState::GrabNumber(const TContestData* data, std::uint8_t* number) {
  if (data)
    buffer_.CopyIn(data);
  // The contest hands out no serial numbers: the number text is always empty.
  if (number)
    number[0] = 0;
}

void ModuleState::Release() {
  if (TfmMainForm* window = Current())
    window->Release();
}

void ModuleState::Unload() {
  windows_.clear();
  classes_.Unregister();
}

}  // namespace zqt::win32
