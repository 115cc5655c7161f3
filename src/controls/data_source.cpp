// Field and table names of a data source.
#include "controls/data_source.h"

namespace tavik {

std::int32_t CDataSource::Init(std::string_view name) {
  name_ = name;
  field_names_.clear();
  table_names_.clear();
  return kRegistryDone;
}

std::int32_t CDataSource::AddFieldName(std::string_view name, std::uint16_t index) {
  field_names_[index] = name;
  return kRegistryDone;
}

std::int32_t CDataSource::AddSourceTable(std::string_view name, std::uint16_t index) {
  table_names_[index] = name;
  return kRegistryDone;
}

std::int32_t CDataSource::GetIndexedItems(std::uint16_t index, std::string& field,
                                          std::string& table) const {
  auto found_field = field_names_.find(index);
  auto found_table = table_names_.find(index);
  if (found_field == field_names_.end() || found_table == table_names_.end())
    return kRegistryFailed;
  field = found_field->second;
  table = found_table->second;
  return kRegistryDone;
}

}  // namespace tavik
