#pragma once
// The placement store with named values kept beside the placement.

#include "form_placement.h"
#include "stored_values.h"

namespace zqt {

class TFormStorage : public TFormPlacement {
 public:
  using TFormPlacement::TFormPlacement;

  TStoredValues& StoredValues() { return storedValues_; }
  const TStoredValues& StoredValues() const { return storedValues_; }

 protected:
  // The placement, then the stored values in order.
  void ReadPlacementValues() override;
  void WritePlacementValues() override;

 private:
  TStoredValues storedValues_;
};

}  // namespace zqt
