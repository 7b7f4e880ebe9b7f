#pragma once
// Entity resolution from a country file in the cty.dat format.
//
// Each entity is a line "Name: CQ: ITU: Continent: Latitude: Longitude: UTC offset: Primary prefix:" and
// then its prefixes, separated by "," and ended by ";". A prefix starting with "=" is a whole call. A prefix
// may carry overrides of the entity's values: (CQ zone) [ITU zone] {continent} <latitude/longitude>
// ~UTC offset~. A "*" before the primary prefix marks an entity that counts only for the WAE list.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zqt::logformats {

struct Resolution {
  std::string dxcc_prefix;  // the entity's primary prefix without "*": "K", "JA"; empty when unknown
  std::string continent;    // "NA"; empty when unknown
  std::string main_prefix;  // see call_area.h
  std::string entity;       // the entity's name; empty when unknown
  int cq_zone = 0;          // 0 when unknown
  int itu_zone = 0;         // 0 when unknown
};

class CtyDatabase {
 public:
  // Throws LogFormatError naming the source and line of the first fault.
  static CtyDatabase Parse(std::string_view text, std::string_view source_name = "cty.dat");
  static CtyDatabase Load(const std::filesystem::path& path);

  // An exact call entry first, then the longest prefix of the station's location (see portable_call.h).
  // Calls ending /MM or /AM, and calls no prefix matches, have no entity.
  Resolution Resolve(std::string_view call) const;

  std::size_t EntityCount() const { return entities_.size(); }

 private:
  struct Entity {
    std::string name;
    std::string prefix;
    bool wae_only = false;
  };
  // What a prefix or exact call resolves to: its entity with the overrides applied.
  struct Target {
    std::size_t entity = 0;
    int cq_zone = 0;
    int itu_zone = 0;
    std::string continent;
  };
  using TargetMap = std::map<std::string, Target, std::less<>>;

  class Parser;

  void Add(TargetMap& map, std::string key, Target target);
  const Target* LongestPrefix(std::string_view lookup) const;

  std::vector<Entity> entities_;
  TargetMap prefixes_;
  TargetMap exact_calls_;
  std::size_t longest_prefix_ = 0;
};

}  // namespace zqt::logformats
