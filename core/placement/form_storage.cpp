#include "form_storage.h"

namespace zqt {

void TFormStorage::ReadPlacementValues() {
  TFormPlacement::ReadPlacementValues();
  // A bad stored value must not keep the placement just read from being saved again.
  MarkRestored();
  storedValues_.ReadFromStore(Store(), Section());
}

void TFormStorage::WritePlacementValues() {
  TFormPlacement::WritePlacementValues();
  storedValues_.WriteToStore(Store(), Section());
}

}  // namespace zqt
