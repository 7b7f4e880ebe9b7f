#pragma once
// The current-QSO buffer: the module's own copy of the last record the host passed in.

#include <cstring>

#include "core/boundary_records.h"

namespace zqt {

class QsoBuffer {
 public:
  // Copies exactly one record's worth of bytes; the host's record is never written.
  void CopyIn(const void* record) { std::memcpy(&data_, record, sizeof data_); }

  TContestData& Data() { return data_; }
  const TContestData& Data() const { return data_; }

 private:
  TContestData data_{};
};

}  // namespace zqt
