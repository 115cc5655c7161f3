// A string-keyed map that walks its entries in the order of a 17-bucket hash table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace tavik {

// Generated text that depends on the order of events, procedures and valid-value lists
// follows this walk: buckets 0 to 16, and within a bucket the most recently added key
// first. Lookups go through an index beside the buckets, so they stay constant-time on
// forms with thousands of procedures.
template <typename T>
class StringHashMap {
 public:
  using Entry = std::pair<std::string, T>;

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
    if (auto found = index_.find(key); found != index_.end()) {
      found->second->second = std::move(value);
      return found->second->second;
    }
    if (!buckets_) buckets_ = std::make_unique<Buckets>();
    auto& bucket = (*buckets_)[BucketOf(key)];
    bucket.emplace_front(key, std::move(value));
    index_.emplace(std::move(key), bucket.begin());
    return bucket.front().second;
  }

  T* Find(std::string_view key) {
    auto found = index_.find(std::string(key));
    return found == index_.end() ? nullptr : &found->second->second;
  }
  const T* Find(std::string_view key) const {
    auto found = index_.find(std::string(key));
    return found == index_.end() ? nullptr : &found->second->second;
  }

  bool Remove(std::string_view key) {
    auto found = index_.find(std::string(key));
    if (found == index_.end()) return false;
    (*buckets_)[BucketOf(key)].erase(found->second);
    index_.erase(found);
    return true;
  }

  std::size_t size() const { return index_.size(); }
  bool empty() const { return index_.empty(); }

  // Calls visit(key, value) for each entry in walking order.
  template <typename Visitor>
  void ForEach(Visitor&& visit) {
    if (!buckets_) return;
    for (auto& bucket : *buckets_) {
      for (auto& entry : bucket) visit(entry.first, entry.second);
    }
  }
  template <typename Visitor>
  void ForEach(Visitor&& visit) const {
    if (!buckets_) return;
    for (const auto& bucket : *buckets_) {
      for (const auto& entry : bucket) visit(entry.first, entry.second);
    }
  }

 private:
  static constexpr std::size_t kBucketCount = 17;
  using Bucket = std::list<Entry>;
  using Buckets = std::array<Bucket, kBucketCount>;
  // Made with the first entry: most controls have no events, and seventeen empty lists
  // per control add up on large forms.
  std::unique_ptr<Buckets> buckets_;
  std::unordered_map<std::string, typename Bucket::iterator> index_;
};

}  // namespace tavik
