#include "PropertyObject.h"

PropertyTable& PropertyTable::Keep(std::string name, PropertyType type) {
  const std::string key = name;
  entries_[std::move(name)] = Entry{type, [key](PropertyObject& object, const PropertyValue& value) {
                                      object.kept_[key] = value;
                                    }};
  return *this;
}

const PropertyTable::Entry* PropertyTable::Find(std::string_view name) const {
  const auto found = entries_.find(name);
  return found == entries_.end() ? nullptr : &found->second;
}

std::vector<std::string> PropertyTable::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : entries_) names.push_back(entry.first);
  return names;
}

std::optional<PropertyType> PropertyTable::TypeOf(std::string_view name) const {
  const Entry* entry = Find(name);
  if (!entry) return std::nullopt;
  return entry->type;
}

std::vector<PropertyRecord> PropertyTable::Decode(std::string_view list) const {
  return DecodePropertyList(list, [this](std::string_view name) { return TypeOf(name); });
}

void PropertyObject::SetProperties(std::string_view list) {
  const PropertyTable& table = Properties();
  for (const PropertyRecord& record : table.Decode(list)) table.Find(record.name)->set(*this, record.value);
}

std::optional<PropertyValue> PropertyObject::KeptValue(std::string_view name) const {
  const auto found = kept_.find(name);
  if (found == kept_.end()) return std::nullopt;
  return found->second;
}
