#pragma once
// String keys to string values. Keys match exactly (bytes, letter case
// included) and are listed in the order they were first stored, so whatever
// is written out from a dictionary keeps a stable order. For use on one
// thread: even reading may finish a store that SetValue left pending.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Dictionary {
public:
  bool HasKey(const std::string& key) const;
  // The value stored under key; KeyNotFoundException when there is none.
  std::string Value(const std::string& key) const;
  // Stores value under key: a new key goes to the end of the listing, a
  // present key keeps its place and gets the new value.
  void SetValue(const std::string& key, const std::string& value);
  size_t Count() const;
  // The key at index, 0 to Count() - 1; OutOfBoundsException past them.
  std::string Key(size_t index) const;

private:
  // Built to stay as fast per entry with hundreds of thousands of entries as
  // with a few. Every key and value lies in one block of text, and the
  // entries, in the order of the listing, say where: no entry has memory of
  // its own. An open hash table of four-byte slots, at most half full, finds
  // the entries by key; being small, it stays in the processor's caches for
  // longer.
  struct Entry {
    uint64_t at;  // the key, and right after it the value
    uint32_t keyLength;
    uint32_t valueLength;
    uint32_t hash;
  };
  // A slot holds 0 when empty, else the entry number plus 1 in its low
  // slotBits_ bits and the top bits of the key's hash above them, so that
  // most keys that differ are told apart without looking at their entries.
  static constexpr unsigned kMostSlotBits = 31;

  static uint32_t Hash(std::string_view key);
  std::string_view KeyOf(const Entry& entry) const;
  // The entry number of key, or -1.
  int64_t Find(std::string_view key, uint32_t hash) const;
  // Puts entry number entry into the first free slot from its hash's place.
  void Place(uint32_t hash, size_t entry);
  void Grow();
  // Copies the live keys and values to a new text once replaced values have
  // left more of the text unused than used.
  void Compact();
  // Files the entry that SetValue left pending: as a new entry, or as the
  // new text of the entry with the same key.
  void Settle() const;
  void Store(const Entry& added);

  std::string text_;
  size_t unused_ = 0;
  std::vector<Entry> entries_;
  std::vector<uint32_t> slots_;  // 1 << slotBits_ of them
  unsigned slotBits_ = 0;
  // SetValue appends the key and value to the text and prefetches their hash
  // slot, but files them only at the next call: the slot has come into the
  // cache meanwhile, while the caller did other work.
  mutable bool pending_ = false;
  mutable Entry pendingEntry_{};
  // The entry that Key last listed. The value of a key just listed is found
  // without a lookup, so a walk over every entry in order never touches the
  // hash table at random.
  mutable size_t listed_ = 0;
};
