#include "PropertyList.h"

#include "internal/PropertyReader.h"

#include <limits>

using namespace std::string_view_literals;

namespace {

void AppendBigEndian32(std::string& bytes, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

}  // namespace

void PropertyList::Name(std::string_view name) {
  if (name.empty() || name.find_first_of(" \0"sv) != std::string_view::npos)
    throw PropertyListException("Layout property list: \"" + std::string(name) + "\" cannot be a property name.");
  bytes_ += name;
  bytes_ += ' ';
}

PropertyList& PropertyList::Integer(std::string_view name, int32_t value) {
  Name(name);
  AppendBigEndian32(bytes_, static_cast<uint32_t>(value));
  return *this;
}

PropertyList& PropertyList::Boolean(std::string_view name, bool value) {
  Name(name);
  bytes_ += static_cast<char>(value ? 1 : 0);
  return *this;
}

PropertyList& PropertyList::Colour(std::string_view name, Color value) {
  Name(name);
  bytes_ += static_cast<char>(value.red);
  bytes_ += static_cast<char>(value.green);
  bytes_ += static_cast<char>(value.blue);
  return *this;
}

PropertyList& PropertyList::String(std::string_view name, std::string_view value) {
  if (value.size() > std::numeric_limits<uint32_t>::max())
    throw PropertyListException("Layout property list: the text of \"" + std::string(name) + "\" is too long.");
  Name(name);
  AppendBigEndian32(bytes_, static_cast<uint32_t>(value.size()));
  bytes_ += value;
  return *this;
}

std::vector<PropertyRecord> DecodePropertyList(std::string_view list, const PropertyTypeLookup& typeOf) {
  std::vector<PropertyRecord> records;
  ReadPropertyList(list, typeOf, [&](std::string_view name, PropertyValue&& value) {
    records.push_back({std::string(name), std::move(value)});
  });
  return records;
}

std::string PropertyValueText(const PropertyValue& value) {
  struct Text {
    std::string operator()(int32_t v) const { return std::to_string(v); }
    std::string operator()(bool v) const { return v ? "True" : "False"; }
    std::string operator()(const Color& c) const {
      static const char* digits = "0123456789ABCDEF";
      std::string text = "&h";
      for (int shift = 20; shift >= 0; shift -= 4) text += digits[(c.ToRGB() >> shift) & 0xF];
      return text;
    }
    std::string operator()(const std::string& s) const { return "\"" + s + "\""; }
  };
  return std::visit(Text{}, value);
}
