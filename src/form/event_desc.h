// An event procedure or form-level procedure, collected in numbered sub-events.
#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/status.h"

namespace tavik {

struct PARAMDESCRIPTION {
  std::int32_t id;
  const char* name;
  const char* type;
};

struct SUBEVENTDESC {
  std::int32_t id = 0;
  std::array<std::string, 3> pieces;
};

class CEventDesc {
 public:
  // Where a new sub-event goes: kAtEnd after all present, kAtFront before all present,
  // any other value before the sub-event of that id (at the end when there is none).
  static constexpr std::int32_t kAtEnd = -1;
  static constexpr std::int32_t kAtFront = -2;
  // How text joins a piece that already holds some.
  static constexpr int kBefore = 0;
  static constexpr int kAfter = 1;

  // The class name picks the standard parameter list ("Form" for the form's own events, a
  // control's class, or none for a procedure); 4 for an empty name.
  [[nodiscard]] Status Init(std::string_view name, const char* code, const char* class_name);
  [[nodiscard]] Status SetEventName(std::string_view name);

  const std::string& GetEventName() const { return name_; }
  const std::optional<std::string>& GetDeclarations() const { return declarations_; }
  const std::optional<std::string>& GetEventCode() const { return code_; }
  const std::optional<std::string>& GetParameters() const { return parameters_; }

  static const PARAMDESCRIPTION* FindParamList(std::string_view event_name, const char* class_name);
  void AddParameters(const PARAMDESCRIPTION* parameters);
  void AddDeclarations(std::string_view text);
  [[nodiscard]] Status AddSubEventCode(std::string_view text, std::int32_t id, int slot,
                                       std::int32_t position, int order);
  const SUBEVENTDESC* FindSubEvent(std::int32_t id) const;
  const std::string* GetSubEventCode(std::int32_t id, int slot) const;
  std::size_t GetSubEventCount() const { return sub_events_.size(); }
  // Joins every sub-event's pieces, each sub-event ended by one extra line break.
  void PrepareEventCode();

 private:
  using SubEventList = std::list<SUBEVENTDESC>;

  SubEventList::iterator PlaceSubEvent(std::int32_t id, std::int32_t position);

  std::string name_;
  std::optional<std::string> declarations_;
  std::optional<std::string> code_;
  std::optional<std::string> parameters_;
  SubEventList sub_events_;
  std::unordered_map<std::int32_t, SubEventList::iterator> sub_event_index_;
};

}  // namespace tavik
