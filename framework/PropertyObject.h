#pragma once
// Objects built from layout property lists: windows and controls. Each class
// registers its properties once, by name, type and setter, in its
// PropertyTable; SetProperties looks every name of a list up there.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "PropertyList.h"

class PropertyObject;

class PropertyTable {
public:
  using Setter = std::function<void(PropertyObject&, const PropertyValue&)>;
  struct Entry {
    PropertyType type;
    Setter set;
  };

  PropertyTable() = default;

  // One line per property: the type follows from the setter's parameter.
  template <typename T>
  PropertyTable& Add(std::string name, void (T::*setter)(int32_t)) {
    return Insert<T, int32_t>(std::move(name), PropertyType::Integer, setter);
  }
  template <typename T>
  PropertyTable& Add(std::string name, void (T::*setter)(bool)) {
    return Insert<T, bool>(std::move(name), PropertyType::Boolean, setter);
  }
  template <typename T>
  PropertyTable& Add(std::string name, void (T::*setter)(Color)) {
    return Insert<T, Color>(std::move(name), PropertyType::Color, setter);
  }
  template <typename T>
  PropertyTable& Add(std::string name, void (T::*setter)(const std::string&)) {
    return Insert<T, std::string>(std::move(name), PropertyType::String, setter);
  }
  // A property that has no effect on this platform: a list may name it, and
  // its value is kept (PropertyObject::KeptValue) but changes nothing.
  PropertyTable& Keep(std::string name, PropertyType type);

  const Entry* Find(std::string_view name) const;
  std::vector<std::string> Names() const;
  std::optional<PropertyType> TypeOf(std::string_view name) const;
  // Every record of list, typed by this table; see DecodePropertyList.
  std::vector<PropertyRecord> Decode(std::string_view list) const;

private:
  template <typename T, typename V, typename Member>
  PropertyTable& Insert(std::string name, PropertyType type, Member setter) {
    entries_[std::move(name)] = Entry{type, [setter](PropertyObject& object, const PropertyValue& value) {
                                        (static_cast<T&>(object).*setter)(std::get<V>(value));
                                      }};
    return *this;
  }

  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  std::unordered_map<std::string, Entry, NameHash, std::equal_to<>> entries_;
};

class PropertyObject {
public:
  virtual ~PropertyObject() = default;

  // Applies a layout property list: sets each property it names, in the
  // list's order, and no other. The whole list is read before anything is
  // set, so a list that does not decode (PropertyListException) changes
  // nothing.
  void SetProperties(std::string_view list);

  // The value last given to a property that has no effect here; nothing
  // when none was given.
  std::optional<PropertyValue> KeptValue(std::string_view name) const;

  // The registry of the object's class.
  virtual const PropertyTable& Properties() const = 0;

protected:
  // While a list is applied, setters only store their values: a setter whose
  // effect is applied as part of a group (a widget's size, font, palette)
  // calls Postpone with the group, which is then applied once, when the whole
  // list has been stored. Outside a list Postpone is false and the setter
  // applies the group at once.
  bool Postpone(unsigned group) {
    if (!applyingList_) return false;
    pending_ |= group;
    return true;
  }
  virtual void ApplyGroups(unsigned /*groups*/) {}

private:
  friend class PropertyTable;
  void Keep(std::string_view name, const PropertyValue& value);
  // A handful at most; the names point into the class's table.
  std::vector<std::pair<std::string_view, PropertyValue>> kept_;
  bool applyingList_ = false;
  unsigned pending_ = 0;
};
