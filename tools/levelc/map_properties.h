// Custom properties of a map or an object, read one by one by name. Every
// property must be asked for: what is left over was misspelt or does not
// belong there, and is reported as unknown.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "levelc/tiled_map.h"

namespace zorbulant::tools {

class MapProperties {
 public:
  // `place` starts every message, e.g. "levelaab.tmj: object 'door' (block at 48,32)".
  MapProperties(const TiledProperties& properties, std::string place);

  std::optional<std::string> Text(const std::string& name);
  std::string RequiredText(const std::string& name);
  // Whole numbers, written as numbers or as text; within [low, high].
  std::optional<int64_t> Number(const std::string& name, int64_t low, int64_t high);
  int64_t RequiredNumber(const std::string& name, int64_t low, int64_t high);
  bool Flag(const std::string& name);  // false when not given

  // Throws for the first property that no one asked for.
  void RejectUnknown() const;

  [[noreturn]] void Fail(const std::string& name, const std::string& message) const;
  const std::string& Place() const { return place_; }

 private:
  const TiledProperty* Find(const std::string& name);

  const TiledProperties& properties_;
  std::string place_;
  std::set<std::string> asked_;
};

// A whole number in decimal, with an optional minus sign; nothing else in the text.
std::optional<int64_t> ParseWholeNumber(const std::string& text);

}  // namespace zorbulant::tools
