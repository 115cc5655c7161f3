// A form's data description: the sources its client collected, waiting to be attached.
#include "host/data_desc.h"

namespace tavik {

std::int32_t CDataDesc::Init(std::string_view name, std::uint16_t /*version*/) {
  name_ = name;
  sources_.clear();
  return kRegistryDone;
}

CDataSource& CDataDesc::AddDataSource(std::unique_ptr<CDataSource> source) {
  std::string name = source->GetName();
  auto& slot = sources_[std::move(name)];
  slot = std::move(source);
  return *slot;
}

CDataSource* CDataDesc::GetDataSource(std::string_view name) const {
  auto found = sources_.find(name);
  return found == sources_.end() ? nullptr : found->second.get();
}

std::unique_ptr<CDataSource> CDataDesc::RemoveDataSource(std::string_view name) {
  auto found = sources_.find(name);
  if (found == sources_.end()) return nullptr;
  std::unique_ptr<CDataSource> source = std::move(found->second);
  sources_.erase(found);
  return source;
}

}  // namespace tavik
