#include "tally_model.h"

namespace zqt::fuzzing {
namespace {

std::string SlotText(const ZqtText& slot) {
  return std::string(reinterpret_cast<const char*>(slot + 1), slot[0]);
}

}  // namespace

QsoTexts TextsOf(const TContestData& record) {
  return {SlotText(record.CallSign),  SlotText(record.DigiBand),   SlotText(record.QSOMode),
          SlotText(record.Continent), SlotText(record.MainPrefix), SlotText(record.DXCCPrefix)};
}

TallyModel::TallyModel(const Collation& collation)
    : dx(CollationLess{&collation}),
      ja(CollationLess{&collation}),
      w(CollationLess{&collation}),
      ve(CollationLess{&collation}),
      vk(CollationLess{&collation}),
      cont(CollationLess{&collation}) {}

int TallyModel::Offer(const QsoTexts& qso, bool commit) {
  ModelQso key{qso.call, qso.band, qso.mode};
  if (worked.contains(key))
    return -1;
  if (!commit)
    return 1;
  worked.insert(std::move(key));
  ++qso_count;
  dx.insert(qso.dxcc);
  if (qso.dxcc == "JA")
    ja.insert(qso.main_prefix);
  if (qso.dxcc == "K")
    w.insert(qso.main_prefix);
  if (qso.dxcc == "VE")
    ve.insert(qso.main_prefix);
  if (qso.dxcc == "VK")
    vk.insert(qso.main_prefix);
  cont.insert(qso.continent);
  return 1;
}

}  // namespace zqt::fuzzing
