// A string-keyed map that walks its entries in the order of a 17-bucket hash table.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tavik {

// Generated text that depends on the order of events, procedures and valid-value lists
// follows this walk: buckets 0 to 16, and within a bucket the most recently added key
// first. Entries are kept in one list in the order they were added, which gives that walk
// bucket by bucket from the newest; most maps are a control's two or three events, found
// by a scan, and a map that grows past kIndexedSize gets an index, so lookups stay
// constant-time on forms with thousands of procedures.
template <typename T>
class StringHashMap {
 public:
  static std::size_t BucketOf(std::string_view key) {
    std::uint32_t hash = 0;
    for (char c : key) {
      hash = hash * 33u +
             static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
    }
    return hash % kBucketCount;
  }

  // Stores the value under the key; an existing entry keeps its place and gets the value.
  T& Set(std::string key, T value) {
    if (T* found = Find(key)) {
      *found = std::move(value);
      return *found;
    }
    const auto bucket = static_cast<std::uint8_t>(BucketOf(key));
    entries_.push_back(Slot{std::move(key), std::move(value), bucket, true});
    ++live_count_;
    if (index_) {
      index_->emplace(entries_.back().key, entries_.size() - 1);
    } else if (live_count_ > kIndexedSize) {
      Reindex();
    }
    return entries_.back().value;
  }

  T* Find(std::string_view key) {
    const std::size_t position = PositionOf(key);
    return position == kNone ? nullptr : &entries_[position].value;
  }
  const T* Find(std::string_view key) const {
    const std::size_t position = PositionOf(key);
    return position == kNone ? nullptr : &entries_[position].value;
  }

  // A removed entry leaves a gap, cleared away once gaps outnumber the entries.
  bool Remove(std::string_view key) {
    const std::size_t position = PositionOf(key);
    if (position == kNone) return false;
    Slot& removed = entries_[position];
    if (index_) index_->erase(index_->find(key));
    removed.live = false;
    removed.value = T();
    --live_count_;
    if (entries_.size() > 2 * live_count_ + kIndexedSize) Compact();
    return true;
  }

  std::size_t size() const { return live_count_; }
  bool empty() const { return live_count_ == 0; }

  // Calls visit(key, value) for each entry in walking order. Only the buckets that hold an
  // entry are walked: a control's map holds two or three of the seventeen.
  template <typename Visitor>
  void ForEach(Visitor&& visit) {
    for (std::uint32_t buckets = LiveBuckets(); buckets != 0; buckets &= buckets - 1) {
      const auto bucket = static_cast<std::uint8_t>(std::countr_zero(buckets));
      for (auto slot = entries_.rbegin(); slot != entries_.rend(); ++slot) {
        if (slot->live && slot->bucket == bucket) visit(std::as_const(slot->key), slot->value);
      }
    }
  }
  template <typename Visitor>
  void ForEach(Visitor&& visit) const {
    for (std::uint32_t buckets = LiveBuckets(); buckets != 0; buckets &= buckets - 1) {
      const auto bucket = static_cast<std::uint8_t>(std::countr_zero(buckets));
      for (auto slot = entries_.rbegin(); slot != entries_.rend(); ++slot) {
        if (slot->live && slot->bucket == bucket) visit(slot->key, slot->value);
      }
    }
  }

 private:
  static constexpr std::size_t kBucketCount = 17;
  static constexpr std::size_t kIndexedSize = 16;
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  static_assert(kBucketCount <= 32);

  struct Slot {
    std::string key;
    T value;
    std::uint8_t bucket;
    bool live;
  };
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const {
      return std::hash<std::string_view>{}(key);
    }
  };
  using Index = std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>>;

  // A bit for each bucket that holds a live entry.
  std::uint32_t LiveBuckets() const {
    std::uint32_t buckets = 0;
    for (const Slot& slot : entries_) {
      if (slot.live) buckets |= std::uint32_t{1} << slot.bucket;
    }
    return buckets;
  }

  std::size_t PositionOf(std::string_view key) const {
    if (index_) {
      auto found = index_->find(key);
      return found == index_->end() ? kNone : found->second;
    }
    for (std::size_t position = 0; position < entries_.size(); ++position) {
      if (entries_[position].live && entries_[position].key == key) return position;
    }
    return kNone;
  }

  void Compact() {
    std::erase_if(entries_, [](const Slot& slot) { return !slot.live; });
    if (index_) Reindex();
  }

  void Reindex() {
    index_ = std::make_unique<Index>();
    for (std::size_t position = 0; position < entries_.size(); ++position) {
      if (entries_[position].live) index_->emplace(entries_[position].key, position);
    }
  }

  std::vector<Slot> entries_;
  std::size_t live_count_ = 0;
  std::unique_ptr<Index> index_;
};

}  // namespace tavik
