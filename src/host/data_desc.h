// What the client reports for one form marked by Smart RE: its running form and the data
// sources of its data controls.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"
#include "controls/data_source.h"

namespace tavik {

class CDataDesc {
 public:
  // Copies the form's name. The version is accepted for the client's sake and not kept.
  std::int32_t Init(std::string_view name, std::uint16_t version);

  const std::string& GetName() const { return name_; }

  // Nonzero once the client has filled the description; only then are its sources attached.
  std::int32_t GetCompletionValue() const { return completion_value_; }
  void SetCompletionValue(std::int32_t value) { completion_value_ = value; }
  // Two values the client may use as it likes; Smart RE clears both, and a nonzero
  // exclusion value keeps the description out of GetDataObjs(1).
  std::int32_t GetClientValue() const { return client_value_; }
  void SetClientValue(std::int32_t value) { client_value_ = value; }
  std::int32_t GetExclusionValue() const { return exclusion_value_; }
  void SetExclusionValue(std::int32_t value) { exclusion_value_ = value; }

  // The running form the description belongs to, as the client names it.
  void* GetFormMgrObj() const { return form_manager_; }
  void SetFormMgrObj(void* form_manager) { form_manager_ = form_manager; }

  // Sources by data-control name; a source of the same name is replaced (and destroyed).
  CDataSource& AddDataSource(std::unique_ptr<CDataSource> source);
  CDataSource* GetDataSource(std::string_view name) const;
  // Hands the source over to the caller; none when there is no source of that name.
  std::unique_ptr<CDataSource> RemoveDataSource(std::string_view name);
  std::size_t GetDataSourceCount() const { return sources_.size(); }

 private:
  std::int32_t completion_value_ = 0;
  std::int32_t client_value_ = 0;
  std::int32_t exclusion_value_ = 0;
  std::string name_;
  void* form_manager_ = nullptr;
  std::map<std::string, std::unique_ptr<CDataSource>, std::less<>> sources_;
};

}  // namespace tavik
