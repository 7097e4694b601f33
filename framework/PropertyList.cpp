#include "PropertyList.h"

#include <limits>

using namespace std::string_view_literals;

namespace {

void AppendBigEndian32(std::string& bytes, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

// Walks a list front to back; every read checks what is left first.
class Reader {
public:
  explicit Reader(std::string_view list) : list_(list) {}

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
  Reader reader(list);
  while (!reader.AtEnd()) {
    const std::string_view name = reader.Name();
    const std::optional<PropertyType> type = typeOf(name);
    if (!type) throw reader.Fail("the unknown property", name.empty() ? std::string_view("(empty name)") : name);
    PropertyValue value = reader.Value(*type, name);
    records.push_back({std::string(name), std::move(value)});
  }
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
