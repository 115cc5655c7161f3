// The Smart RE state of one client: the forms marked for data-source collection and what the
// client has reported for them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "host/data_desc.h"
#include "tavikfw/client.h"

namespace tavik {

class Registry;

class CDataReader {
 public:
  // Finds the client of the current process in the registry; 0 when there is none, else 1.
  std::int32_t Init(const Registry& registry, std::uint16_t version);

  CClntDesc* GetClient() const { return client_; }
  std::uint16_t GetVersion() const { return version_; }

  // Set from Smart RE until the dialog next opens and attaches what was collected.
  bool IsPending() const { return pending_ != 0; }
  void SetPending(bool pending) { pending_ = pending ? 1 : 0; }
  // The number of forms the last Smart RE marked.
  std::uint16_t GetFormCount() const { return form_count_; }
  void SetFormCount(std::uint16_t count) { form_count_ = count; }
  // The number of forms the client has filled, for the client's own counting; Smart RE
  // starts it at 0.
  std::uint16_t GetCollectedCount() const { return collected_count_; }
  void SetCollectedCount(std::uint16_t count) { collected_count_ = count; }

  // A new, initialised description under the form's name; one of that name is destroyed.
  CDataDesc& MakeDataDesc(std::string_view form_name, std::uint16_t version);
  CDataDesc* FindDataDesc(std::string_view form_name) const;
  void RemoveDataDesc(std::string_view form_name);
  std::size_t GetDataDescCount() const { return descriptions_.size(); }

  // The descriptions the client has completed, in name order; with only_unexcluded set,
  // those whose exclusion value is still 0.
  std::vector<CDataDesc*> GetDataObjs(bool only_unexcluded) const;

 private:
  std::uint16_t form_count_ = 0;
  std::uint16_t collected_count_ = 0;
  std::uint16_t version_ = 0;
  std::int32_t pending_ = 0;
  std::map<std::string, std::unique_ptr<CDataDesc>, std::less<>> descriptions_;
  CClntDesc* client_ = nullptr;
};

}  // namespace tavik
