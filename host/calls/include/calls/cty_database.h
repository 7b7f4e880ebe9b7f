#pragma once
// Entity resolution from a country file in the cty.dat format.
//
// Each entity is a line "Name: CQ: ITU: Continent: Latitude: Longitude: UTC offset: Primary prefix:" and
// then its prefixes, separated by "," and ended by ";". A prefix starting with "=" is a whole call. A prefix
// may carry overrides of the entity's values: (CQ zone) [ITU zone] {continent} <latitude/longitude>
// ~UTC offset~. A "*" before the primary prefix marks an entity that counts only for the WAE list (Sicily
// "*IT9", European Turkey "*TA1"): its calls belong to a DXCC entity, which is what the resolution names.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zqt::calls {

struct PortableCall;

struct Resolution {
  std::string dxcc_prefix;  // the DXCC entity's primary prefix: "K", "JA", "I" for IT9ABC; empty when unknown
  std::string continent;    // "NA"; empty when unknown
  std::string main_prefix;  // see call_area.h
  std::string entity;       // the DXCC entity's name; empty when unknown
  int cq_zone = 0;          // 0 when unknown
  int itu_zone = 0;         // 0 when unknown
};

class CtyDatabase {
 public:
  // Throws log_files::LogFormatError naming the source and line of the first fault.
  static CtyDatabase Parse(std::string_view text, std::string_view source_name = "cty.dat");
  static CtyDatabase Load(const std::filesystem::path& path);

  // The DXCC entity of an exact call entry first, then of the longest prefix of the station's location (see
  // portable_call.h); WAE-only entries take no part in it. Continent and zones come from the most specific
  // entry of either kind, so a WAE-only entry still places its calls (TA1ABC: entity TA, continent EU; on an
  // equal match the WAE-only entry's values win). Calls ending /MM or /AM, and calls no DXCC entry matches,
  // have no entity and no place.
  Resolution Resolve(std::string_view call) const;

  std::size_t EntityCount() const { return entities_.size(); }

 private:
  struct Entity {
    std::string name;
    std::string prefix;
  };
  // What a prefix or exact call resolves to: its entity with the overrides applied.
  struct Target {
    std::size_t entity = 0;
    int cq_zone = 0;
    int itu_zone = 0;
    std::string continent;
  };
  using TargetMap = std::map<std::string, Target, std::less<>>;
  // The prefixes and exact calls of one kind of entity; a key listed twice keeps its first entry.
  struct Entries {
    TargetMap prefixes;
    TargetMap exact_calls;
    std::size_t longest_prefix = 0;
  };
  // A matching entry and how specific the match is: an exact call above any prefix, a longer prefix above a
  // shorter one.
  struct Match {
    const Target* target = nullptr;
    std::size_t specificity = 0;
  };

  class Parser;

  static Match Find(const Entries& entries, const PortableCall& station);

  std::vector<Entity> entities_;
  Entries dxcc_entries_;
  Entries wae_only_entries_;
};

}  // namespace zqt::calls
