#pragma once
// The one owner of the statistics window objects. A window object lives until its native window is destroyed
// (a released window waits for its queued messages first); of those it owns, at most one is open, and that
// one is the window the entry points reach.

#include <windows.h>

#include <memory>
#include <vector>

#include "core/boundary_records.h"
#include "core/qso_buffer.h"

namespace zqt::win32 {

class TfmMainForm;

class FormOwner {
 public:
  FormOwner();
  ~FormOwner();
  FormOwner(const FormOwner&) = delete;
  FormOwner& operator=(const FormOwner&) = delete;

  // The open window, or null while none is open.
  TfmMainForm* Current() const;
  // Creates a window and takes it; when taking it fails, the window goes and nothing refers to it.
  TfmMainForm& Open(HINSTANCE instance, QsoBuffer& buffer, const TContestData& data);
  // Lets go of the windows whose native windows are gone and which no handler still runs in.
  void DropDestroyed();
  // Destroys every window (the module is being unloaded).
  void Clear();

 private:
  std::vector<std::unique_ptr<TfmMainForm>> forms_;
};

}  // namespace zqt::win32
