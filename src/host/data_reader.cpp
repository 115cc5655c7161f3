// A client's data descriptions between the two halves of Smart RE.
#include "host/data_reader.h"

#include "host/registry.h"

namespace tavik {

std::int32_t CDataReader::Init(const Registry& registry, std::uint16_t version) {
  client_ = registry.FindClient(Registry::CurrentProcess());
  if (!client_) return kRegistryFailed;
  descriptions_.clear();
  version_ = version;
  return kRegistryDone;
}

CDataDesc& CDataReader::MakeDataDesc(std::string_view form_name, std::uint16_t version) {
  auto description = std::make_unique<CDataDesc>();
  (void)description->Init(form_name, version);  // answers 1 always
  auto& slot = descriptions_[std::string(form_name)];
  slot = std::move(description);
  return *slot;
}

CDataDesc* CDataReader::FindDataDesc(std::string_view form_name) const {
  auto found = descriptions_.find(form_name);
  return found == descriptions_.end() ? nullptr : found->second.get();
}

void CDataReader::RemoveDataDesc(std::string_view form_name) {
  if (auto found = descriptions_.find(form_name); found != descriptions_.end()) {
    descriptions_.erase(found);
  }
}

std::vector<CDataDesc*> CDataReader::GetDataObjs(bool only_unexcluded) const {
  std::vector<CDataDesc*> completed;
  for (const auto& [name, description] : descriptions_) {
    if (description->GetCompletionValue() == 0) continue;
    if (only_unexcluded && description->GetExclusionValue() != 0) continue;
    completed.push_back(description.get());
  }
  return completed;
}

}  // namespace tavik
