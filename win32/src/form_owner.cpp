#include "form_owner.h"

#include <algorithm>

#include "main_form.h"

namespace zqt::win32 {

FormOwner::FormOwner() = default;
FormOwner::~FormOwner() = default;

TfmMainForm* FormOwner::Current() const {
  const auto open =
      std::find_if(forms_.begin(), forms_.end(), [](const auto& form) { return form->IsOpen(); });
  return open == forms_.end() ? nullptr : open->get();
}

TfmMainForm& FormOwner::Open(HINSTANCE instance, QsoBuffer& buffer, const TContestData& data) {
  DropDestroyed();
  forms_.push_back(std::make_unique<TfmMainForm>(instance, buffer, data));
  return *forms_.back();
}

void FormOwner::DropDestroyed() {
  std::erase_if(forms_, [](const auto& form) { return form->MayBeDropped(); });
}

void FormOwner::Clear() {
  forms_.clear();
}

}  // namespace zqt::win32
