#pragma once
// String keys to string values. Keys match exactly (bytes, letter case
// included) and are listed in the order they were first stored, so whatever
// is written out from a dictionary keeps a stable order.

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

class Dictionary {
public:
  bool HasKey(const std::string& key) const { return values_.find(key) != values_.end(); }
  // The value stored under key; KeyNotFoundException when there is none.
  const std::string& Value(const std::string& key) const;
  // Stores value under key: a new key goes to the end of the listing, a
  // present key keeps its place and gets the new value.
  void SetValue(const std::string& key, std::string value);
  size_t Count() const { return order_.size(); }
  // The key at index, 0 to Count() - 1; OutOfBoundsException past them.
  const std::string& Key(size_t index) const;

private:
  std::unordered_map<std::string, std::string> values_;
  // The map's nodes never move, so pointers to their keys stay valid as it grows.
  std::vector<const std::string*> order_;
};
