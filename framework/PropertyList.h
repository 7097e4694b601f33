#pragma once
// Layout property lists: the packed lists of named property values that build
// a window or a control in one call. Records stand back to back with nothing
// around them: the name in ASCII, one blank, then the value, whose width
// follows from the property's type (the list carries no type codes):
//   integer  4 bytes, big-endian two's complement
//   Boolean  1 byte, 0 or 1
//   colour   3 bytes, red, green, blue
//   string   4-byte big-endian length n, then n bytes of UTF-8

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Color.h"
#include "Exceptions.h"

enum class PropertyType { Integer, Boolean, Color, String };

using PropertyValue = std::variant<int32_t, bool, Color, std::string>;

struct PropertyRecord {
  std::string name;
  PropertyValue value;
  friend bool operator==(const PropertyRecord&, const PropertyRecord&) = default;
};

// A list that cannot be read (an unknown name, a value cut short, a string
// running past the end) or a record that cannot be written.
class PropertyListException : public RuntimeException {
public:
  explicit PropertyListException(const std::string& message) : RuntimeException(message) {}
  const char* ClassName() const noexcept override { return "PropertyListException"; }
};

// Builds a list record by record:
//   const std::string list = PropertyList().Integer("Width", 527).String("Title", "Main").Bytes();
class PropertyList {
public:
  PropertyList& Integer(std::string_view name, int32_t value);
  PropertyList& Boolean(std::string_view name, bool value);
  PropertyList& Colour(std::string_view name, Color value);
  PropertyList& String(std::string_view name, std::string_view value);

  const std::string& Bytes() const { return bytes_; }

private:
  void Name(std::string_view name);
  std::string bytes_;
};

// Reads every record of list. typeOf gives the type of a name, or nothing for
// a name it does not know. Throws PropertyListException on anything that does
// not decode to the last byte; it never reads outside the list.
using PropertyTypeLookup = std::function<std::optional<PropertyType>(std::string_view name)>;
std::vector<PropertyRecord> DecodePropertyList(std::string_view list, const PropertyTypeLookup& typeOf);

// The text of a value, for messages and test output.
std::string PropertyValueText(const PropertyValue& value);
