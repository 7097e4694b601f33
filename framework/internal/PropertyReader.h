#pragma once
// The one reader of layout property lists, shared by DecodePropertyList and
// the property tables. Framework-internal.

#include <optional>
#include <string>
#include <string_view>

#include "PropertyList.h"

// Walks a list front to back; every read checks what is left first.
class PropertyListReader {
public:
  explicit PropertyListReader(std::string_view list) : list_(list) {}

  bool AtEnd() const { return at_ == list_.size(); }

  std::string_view Name() {
    const size_t blank = list_.find(' ', at_);
    if (blank == std::string_view::npos) throw Fail("a name without its value");
    std::string_view name = list_.substr(at_, blank - at_);
    at_ = blank + 1;
    return name;
  }

  PropertyValue Value(PropertyType type, std::string_view name) {
    switch (type) {
      case PropertyType::Integer:
        return static_cast<int32_t>(BigEndian32(name));
      case PropertyType::Boolean: {
        const uint8_t flag = Bytes(1, name)[0];
        if (flag > 1) throw Fail("a Boolean that is neither 0 nor 1", name);
        return flag == 1;
      }
      case PropertyType::Color: {
        const std::string_view rgb = Bytes(3, name);
        return Color{static_cast<uint8_t>(rgb[0]), static_cast<uint8_t>(rgb[1]), static_cast<uint8_t>(rgb[2])};
      }
      case PropertyType::String: {
        const uint32_t length = BigEndian32(name);
        return std::string(Bytes(length, name));
      }
    }
    throw Fail("a property of no known type", name);
  }

  PropertyListException Fail(const std::string& what, std::string_view name = {}) const {
    std::string message = "Layout property list: " + what;
    if (!name.empty()) message += " in \"" + std::string(name) + "\"";
    message += " at byte " + std::to_string(at_) + " of " + std::to_string(list_.size()) + ".";
    return PropertyListException(message);
  }

private:
  std::string_view Bytes(uint64_t count, std::string_view name) {
    if (count > list_.size() - at_) throw Fail("a value cut short", name);
    std::string_view bytes = list_.substr(at_, static_cast<size_t>(count));
    at_ += static_cast<size_t>(count);
    return bytes;
  }

  uint32_t BigEndian32(std::string_view name) {
    const std::string_view bytes = Bytes(4, name);
    uint32_t value = 0;
    for (char byte : bytes) value = value << 8 | static_cast<uint8_t>(byte);
    return value;
  }

  std::string_view list_;
  size_t at_ = 0;
};

// Reads list record by record: typeOf(name) gives a name's type or nothing
// for an unknown name; record(name, value) takes each value read. Throws
// PropertyListException at the first thing it cannot read.
template <typename TypeOf, typename Record>
void ReadPropertyList(std::string_view list, TypeOf&& typeOf, Record&& record) {
  PropertyListReader reader(list);
  while (!reader.AtEnd()) {
    const std::string_view name = reader.Name();
    const std::optional<PropertyType> type = typeOf(name);
    if (!type) throw reader.Fail("the unknown property", name.empty() ? std::string_view("(empty name)") : name);
    record(name, reader.Value(*type, name));
  }
}
