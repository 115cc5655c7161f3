// Event procedures: standard parameter lists, sub-event code and its joining.
#include "form/event_desc.h"

#include <algorithm>
#include <cstring>

namespace tavik {

namespace {

constexpr PARAMDESCRIPTION kValidateParams[] = {
    {0, "Action", "Integer"}, {1, "Save", "Integer"}, {-1, nullptr, nullptr}};
constexpr PARAMDESCRIPTION kSheetChangeParams[] = {
    {2, "Row", "Long"}, {3, "Col", "Long"}, {-1, nullptr, nullptr}};
constexpr PARAMDESCRIPTION kSheetEditModeParams[] = {{3, "Col", "Long"},
                                                     {2, "Row", "Long"},
                                                     {4, "Mode", "Integer"},
                                                     {5, "ChangeMade", "Integer"},
                                                     {-1, nullptr, nullptr}};
constexpr PARAMDESCRIPTION kClickParams[] = {{6, "Value", "Integer"}, {-1, nullptr, nullptr}};
constexpr PARAMDESCRIPTION kKeyPressParams[] = {{7, "KeyAscii", "Integer"}, {-1, nullptr, nullptr}};
// The data combo tells which of its parts was clicked.
constexpr PARAMDESCRIPTION kAreaClickParams[] = {{9, "Area", "Integer"}, {-1, nullptr, nullptr}};

// The event's name is a view, so that the many names no row has are told apart by length.
struct EVENTPARAM {
  std::string_view event_name;
  const char* class_name;
  const PARAMDESCRIPTION* parameters;
};

constexpr EVENTPARAM EventParams[] = {
    {"Validate", "Data", kValidateParams},
    {"Change", "SpreadSheet", kSheetChangeParams},
    {"EditMode", "SpreadSheet", kSheetEditModeParams},
    {"Click", "SSOption", kClickParams},
    {"Click", "SSCheck", kClickParams},
    {"Click", "MSDBCtls.DBCombo", kAreaClickParams},
    {"KeyPress", "TextBox", kKeyPressParams},
    {"KeyPress", "ComboBox", kKeyPressParams},
    {"KeyPress", "MaskEdBox", kKeyPressParams},
    {"KeyPress", "MSMask.MaskEdBox", kKeyPressParams},
};

}  // namespace

Status CEventDesc::Init(std::string_view name, const char* code, const char* class_name) {
  if (name.empty()) return kNullArgument;
  name_ = name;
  if (code) code_ = std::make_unique<std::string>(code);
  if (const auto* parameters = FindParamList(name, class_name)) AddParameters(parameters);
  return kOk;
}

Status CEventDesc::SetEventName(std::string_view name) {
  if (name.empty()) return kNullArgument;
  name_ = name;
  return kOk;
}

const PARAMDESCRIPTION* CEventDesc::FindParamList(std::string_view event_name,
                                                  const char* class_name) {
  if (!class_name) return nullptr;
  for (const EVENTPARAM& row : EventParams) {
    if (event_name == row.event_name && std::strcmp(class_name, row.class_name) == 0) {
      return row.parameters;
    }
  }
  return nullptr;
}

void CEventDesc::AppendParameters(std::string& text) const {
  if (!parameters_) return;
  for (const PARAMDESCRIPTION* parameter = parameters_; parameter->id != -1; ++parameter) {
    if (parameter != parameters_) text += ", ";
    text += parameter->name;
    text += " As ";
    text += parameter->type;
  }
}

std::optional<std::string_view> CEventDesc::GetDeclarations() const {
  if (!declarations_) return std::nullopt;
  return *declarations_;
}

std::optional<std::string> CEventDesc::GetEventCode() const {
  if (!code_) return std::nullopt;
  return *code_;
}

void CEventDesc::AddDeclarations(std::string_view text) {
  if (!declarations_) declarations_ = std::make_unique<std::string>();
  declarations_->append(text);
}

std::string& SUBEVENTDESC::Piece(SubEventSlot slot) {
  if (slot == SubEventSlot::kBody) return body;
  if (!ends) ends = std::make_unique<std::array<std::string, 2>>();
  return (*ends)[slot == SubEventSlot::kHead ? 0 : 1];
}

const std::string& SUBEVENTDESC::Piece(SubEventSlot slot) const {
  static const std::string kNone;
  if (slot == SubEventSlot::kBody) return body;
  if (!ends) return kNone;
  return (*ends)[slot == SubEventSlot::kHead ? 0 : 1];
}

SUBEVENTDESC& CEventDesc::PlaceSubEvent(std::int32_t id, std::int32_t placement) {
  for (SUBEVENTDESC& sub_event : sub_events_) {
    if (sub_event.id == id) return sub_event;
  }
  return InsertSubEvent(id, placement);
}

SUBEVENTDESC& CEventDesc::InsertSubEvent(std::int32_t id, std::int32_t placement) {
  auto with_id = [](std::int32_t wanted) {
    return [wanted](const SUBEVENTDESC& sub_event) { return sub_event.id == wanted; };
  };
  auto where = sub_events_.end();
  if (placement == static_cast<std::int32_t>(SubEventPlacement::kFirst)) {
    where = sub_events_.begin();
  } else if (placement != static_cast<std::int32_t>(SubEventPlacement::kLast)) {
    where = std::ranges::find_if(sub_events_, with_id(placement));
  }
  return *sub_events_.insert(where, SUBEVENTDESC{id, {}, nullptr});
}

Status CEventDesc::AddSubEventCode(std::string_view text, SubEvent id, SubEventSlot slot,
                                   SubEventPlacement placement, TextJoin join) {
  const auto number = static_cast<std::int32_t>(id);
  if (number < 0) return kNoSuchSubEvent;
  SUBEVENTDESC& sub_event = PlaceSubEvent(number, static_cast<std::int32_t>(placement));
  const auto index = static_cast<int>(slot);
  if (index < 0 || index > 2) return kNoSuchSlot;
  std::string& piece = sub_event.Piece(slot);
  if (piece.empty() || join == TextJoin::kAfter) {
    piece.append(text);
  } else {
    piece.insert(0, text);
  }
  return kOk;
}

std::string& CEventDesc::Piece(SubEvent id, SubEventSlot slot, SubEventPlacement placement) {
  // The enums' own ids and slots are in range: no fault is left to report.
  return PlaceSubEvent(static_cast<std::int32_t>(id), static_cast<std::int32_t>(placement))
      .Piece(slot);
}

void CEventDesc::Append(SubEvent id, SubEventSlot slot, std::string_view text,
                        SubEventPlacement placement) {
  Piece(id, slot, placement).append(text);
}

void CEventDesc::Prepend(SubEvent id, SubEventSlot slot, std::string_view text,
                         SubEventPlacement placement) {
  // The enums' own ids and slots are in range: no fault is left to report.
  (void)AddSubEventCode(text, id, slot, placement, TextJoin::kBefore);
}

const SUBEVENTDESC* CEventDesc::FindSubEvent(SubEvent id) const {
  auto found = std::ranges::find_if(sub_events_, [id](const SUBEVENTDESC& sub_event) {
    return sub_event.id == static_cast<std::int32_t>(id);
  });
  return found == sub_events_.end() ? nullptr : &*found;
}

const std::string* CEventDesc::GetSubEventCode(SubEvent id, SubEventSlot slot) const {
  const SUBEVENTDESC* sub_event = FindSubEvent(id);
  const auto index = static_cast<int>(slot);
  if (!sub_event || index < 0 || index > 2) return nullptr;
  return &sub_event->Piece(slot);
}

bool CEventDesc::HasSubEventCode(SubEvent id, SubEventSlot slot) const {
  const std::string* code = GetSubEventCode(id, slot);
  return code && !code->empty();
}

void CEventDesc::PrepareEventCode() {
  auto code = std::make_unique<std::string>();
  AppendEventCode(*code);
  code_ = std::move(code);
}

void CEventDesc::AppendEventCode(std::string& text) const {
  for (const auto& sub_event : sub_events_) {
    text += sub_event.Piece(SubEventSlot::kHead);
    text += sub_event.body;
    text += sub_event.Piece(SubEventSlot::kTail);
    text += "\r\n";
  }
}

void CEventDesc::ReleaseSpareRoom() {
  for (SUBEVENTDESC& sub_event : sub_events_) {
    sub_event.body.shrink_to_fit();
    if (!sub_event.ends) continue;
    for (std::string& piece : *sub_event.ends) piece.shrink_to_fit();
  }
  sub_events_.shrink_to_fit();
}

}  // namespace tavik
