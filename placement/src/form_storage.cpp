#include "placement/form_storage.h"

namespace zqt {

void TFormStorage::ReadPlacementValues() {
  TFormPlacement::ReadPlacementValues();
  // A bad stored value must not keep the placement just read from being saved again.
  MarkRestored();
  stored_values_.ReadFromStore(Store(), Section());
}

void TFormStorage::WritePlacementValues() {
  TFormPlacement::WritePlacementValues();
  stored_values_.WriteToStore(Store(), Section());
}

}  // namespace zqt
