// Stored property sets: a window's or a control's settings as a list of
// named values, applied in order by name. An unknown name is a programming
// error and raises std::logic_error at once, so a misspelt setting fails the
// first test that builds the window instead of being silently ignored.
#pragma once

// The window layer on Qt: only the targets that link it may include it.
#ifndef LUMETRA_WINDOW_LAYER
#error "framework/Properties.h belongs to the window layer on Qt; the analysis core and the base services use framework/base only"
#endif

#include <cstdint>
#include <vector>
#include <string>
#include <string_view>
#include <variant>

namespace fw {

// A colour as stored: &hAARRGGBB, where AA = 00 is opaque.
struct Color {
  std::uint32_t value;
  int Red() const { return (value >> 16) & 0xFF; }
  int Green() const { return (value >> 8) & 0xFF; }
  int Blue() const { return value & 0xFF; }
  int Alpha() const { return 255 - int((value >> 24) & 0xFF); }
};

class PropertyValue {
 public:
  PropertyValue(bool v) : m_value(v) {}
  PropertyValue(int v) : m_value(std::int64_t{v}) {}
  PropertyValue(long v) : m_value(std::int64_t{v}) {}
  PropertyValue(long long v) : m_value(std::int64_t{v}) {}
  PropertyValue(double v) : m_value(v) {}
  PropertyValue(const char* v) : m_value(std::string(v)) {}
  PropertyValue(std::string v) : m_value(std::move(v)) {}
  PropertyValue(std::string_view v) : m_value(std::string(v)) {}
  PropertyValue(Color v) : m_value(v) {}

  // Typed reads; a value of another type is a programming error (std::logic_error).
  bool AsBool(std::string_view name) const;
  std::int64_t AsInt(std::string_view name) const;
  double AsDouble(std::string_view name) const;  // also takes an integer
  const std::string& AsText(std::string_view name) const;
  Color AsColor(std::string_view name) const;

 private:
  std::variant<bool, std::int64_t, double, std::string, Color> m_value;
};

struct Property {
  std::string_view name;
  PropertyValue value;
};
using PropertySet = std::vector<Property>;

// Anything that takes stored settings: a window or a control.
class PropertyTarget {
 public:
  virtual ~PropertyTarget() = default;
  // Applies one setting; raises std::logic_error for a name the class does not know.
  virtual void SetProperty(std::string_view name, const PropertyValue& value) = 0;
};

void SetProperties(PropertyTarget& target, const PropertySet& properties);

// Raises std::logic_error naming the class and the property.
[[noreturn]] void UnknownProperty(std::string_view className, std::string_view name);

}  // namespace fw
