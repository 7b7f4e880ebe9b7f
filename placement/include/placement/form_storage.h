#pragma once
// The placement store with named values kept beside the placement.

#include "placement/form_placement.h"
#include "placement/stored_values.h"

namespace zqt {

class TFormStorage : public TFormPlacement {
 public:
  using TFormPlacement::TFormPlacement;

  TStoredValues& StoredValues() { return stored_values_; }
  const TStoredValues& StoredValues() const { return stored_values_; }

 protected:
  // The placement, then the stored values in order.
  void ReadPlacementValues() override;
  void WritePlacementValues() override;

 private:
  TStoredValues stored_values_;
};

}  // namespace zqt
