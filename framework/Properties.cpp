#include "framework/Properties.h"

#include <stdexcept>

namespace fw {

namespace {

[[noreturn]] void WrongType(std::string_view name, const char* wanted) {
  throw std::logic_error("property " + std::string(name) + " is not " + wanted);
}

}  // namespace

bool PropertyValue::AsBool(std::string_view name) const {
  if (auto v = std::get_if<bool>(&m_value)) return *v;
  WrongType(name, "a Boolean");
}

std::int64_t PropertyValue::AsInt(std::string_view name) const {
  if (auto v = std::get_if<std::int64_t>(&m_value)) return *v;
  WrongType(name, "an integer");
}

double PropertyValue::AsDouble(std::string_view name) const {
  if (auto v = std::get_if<double>(&m_value)) return *v;
  if (auto v = std::get_if<std::int64_t>(&m_value)) return double(*v);
  WrongType(name, "a number");
}

const std::string& PropertyValue::AsText(std::string_view name) const {
  if (auto v = std::get_if<std::string>(&m_value)) return *v;
  WrongType(name, "a text");
}

Color PropertyValue::AsColor(std::string_view name) const {
  if (auto v = std::get_if<Color>(&m_value)) return *v;
  WrongType(name, "a colour");
}

void SetProperties(PropertyTarget& target, const PropertySet& properties) {
  for (const Property& p : properties) target.SetProperty(p.name, p.value);
}

void UnknownProperty(std::string_view className, std::string_view name) {
  throw std::logic_error(std::string(className) + " has no property " + std::string(name));
}

}  // namespace fw
