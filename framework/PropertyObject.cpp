#include "PropertyObject.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "internal/PropertyReader.h"

PropertyTable& PropertyTable::Keep(std::string name, PropertyType type) {
  // Shared by every table that inherits the entry; objects keep views of it.
  auto key = std::make_shared<const std::string>(name);
  entries_[std::move(name)] = Entry{type, [key](PropertyObject& object, const PropertyValue& value) {
                                      object.Keep(*key, value);
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
  std::sort(names.begin(), names.end());
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
  // Each name is looked up once; nothing is set before the whole list is read.
  struct Record {
    const PropertyTable::Entry* entry;
    PropertyValue value;
  };
  std::vector<Record> records;
  records.reserve(list.size() / 8);
  const PropertyTable::Entry* entry = nullptr;
  const PropertyTable& table = Properties();
  ReadPropertyList(
      list,
      [&](std::string_view name) -> std::optional<PropertyType> {
        entry = table.Find(name);
        if (!entry) return std::nullopt;
        return entry->type;
      },
      [&](std::string_view, PropertyValue&& value) { records.push_back({entry, std::move(value)}); });
  struct EndOfList {
    PropertyObject& object;
    ~EndOfList() {
      object.applyingList_ = false;
      object.ApplyGroups(std::exchange(object.pending_, 0u));
    }
  } end{*this};
  applyingList_ = true;
  for (const Record& record : records) record.entry->set(*this, record.value);
}

void PropertyObject::Keep(std::string_view name, const PropertyValue& value) {
  for (auto& [keptName, kept] : kept_) {
    if (keptName == name) {
      kept = value;
      return;
    }
  }
  kept_.emplace_back(name, value);
}

std::optional<PropertyValue> PropertyObject::KeptValue(std::string_view name) const {
  for (const auto& [keptName, value] : kept_)
    if (keptName == name) return value;
  return std::nullopt;
}
