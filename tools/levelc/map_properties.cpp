// Reading custom properties by name, with the place of each mistake.
#include "levelc/map_properties.h"

#include <charconv>

#include "levelc/level_error.h"

namespace zorbulant::tools {

MapProperties::MapProperties(const TiledProperties& properties, std::string place)
    : properties_(properties), place_(std::move(place)) {}

const TiledProperty* MapProperties::Find(const std::string& name) {
  asked_.insert(name);
  for (const TiledProperty& property : properties_) {
    if (property.name == name) return &property;
  }
  return nullptr;
}

std::optional<std::string> MapProperties::Text(const std::string& name) {
  const TiledProperty* property = Find(name);
  if (property == nullptr) return std::nullopt;
  if (!property->value.is_string()) Fail(name, "is not text");
  return property->value.get<std::string>();
}

std::string MapProperties::RequiredText(const std::string& name) {
  std::optional<std::string> text = Text(name);
  if (!text) Fail(name, "is missing");
  return *text;
}

std::optional<int64_t> MapProperties::Number(const std::string& name, int64_t low, int64_t high) {
  const TiledProperty* property = Find(name);
  if (property == nullptr) return std::nullopt;
  std::optional<int64_t> number;
  if (property->value.is_number_integer()) {
    number = property->value.get<int64_t>();
  } else if (property->value.is_string()) {
    number = ParseWholeNumber(property->value.get<std::string>());
  }
  if (!number) Fail(name, "is not a whole number");
  if (*number < low || *number > high) {
    Fail(name, "is " + std::to_string(*number) + ", outside " + std::to_string(low) + ".." +
                   std::to_string(high));
  }
  return number;
}

int64_t MapProperties::RequiredNumber(const std::string& name, int64_t low, int64_t high) {
  std::optional<int64_t> number = Number(name, low, high);
  if (!number) Fail(name, "is missing");
  return *number;
}

bool MapProperties::Flag(const std::string& name) {
  const TiledProperty* property = Find(name);
  if (property == nullptr) return false;
  if (!property->value.is_boolean()) Fail(name, "is not true or false");
  return property->value.get<bool>();
}

void MapProperties::RejectUnknown() const {
  for (const TiledProperty& property : properties_) {
    if (!asked_.contains(property.name)) Fail(property.name, "is unknown here");
  }
}

void MapProperties::Fail(const std::string& name, const std::string& message) const {
  throw LevelError(place_ + ": property '" + name + "' " + message);
}

std::optional<int64_t> ParseWholeNumber(const std::string& text) {
  int64_t number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (error != std::errc() || stop != end || text.empty()) return std::nullopt;
  return number;
}

}  // namespace zorbulant::tools
