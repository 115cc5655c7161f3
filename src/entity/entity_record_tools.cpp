// What users of data-entry forms expect beside New, Update and Delete, each asked for by an
// entity property: the record's position in the data control's caption, a Find button, a
// Cancel button and the order of the records.

#include "controls/data_ctrl.h"
#include "controls/option_handlers.h"
#include "entity/entity_desc.h"
#include "form/event_desc.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"
#include "model/sql_name.h"

namespace tavik {

namespace {

constexpr std::string_view kShowPosition = "SHOW_POSITION";
constexpr std::string_view kFindColumn = "FIND_COLUMN";
constexpr std::string_view kCancelButton = "CANCEL_BUTTON";
constexpr std::string_view kOrderBy = "ORDER_BY";

std::optional<std::string> TextOf(const std::optional<Value>& value) {
  if (!HasText(value)) return std::nullopt;
  return value->Text();
}

}  // namespace

bool CEntityDesc::ShowsPosition() const {
  auto value = GetProperty(kShowPosition);
  return value && NumberOf(*value) != 0;
}

std::string CEntityDesc::OrderClause() const {
  auto column = TextOf(GetProperty(kOrderBy));
  return column ? " ORDER BY " + SqlColumnName(*column) : std::string();
}

std::string CEntityDesc::CountRecordsCode() const {
  if (!ShowsPosition()) return {};
  return VbFragment(R"(
        tk_CountRecords $data$, "$caption$", nNoRepos
    )",
                    {{"data", DataCtrlName()}, {"caption", VbStringText(GetEntityName())}});
}

// The caption follows every move; a new record shows as new, and the count is made exact
// once after each refresh (CountRecordsCode).
Status CEntityDesc::AddPositionCode() {
  if (!ShowsPosition()) return kOk;
  CEventDesc* reposition = data_ctrl_ ? data_ctrl_->GetEvent("Reposition") : nullptr;
  if (!reposition) return kNoEvent;
  reposition->Prepend(
      SubEvent::kMain, SubEventSlot::kBody,
      VbFragment(R"(
        tk_ShowPosition $data$, "$caption$"
    )",
                 {{"data", DataCtrlName()}, {"caption", VbStringText(GetEntityName())}}));
  return kOk;
}

// Find asks for a value of the column and moves to the first record that holds it; the
// support routine quotes the value as the field's type needs.
Status CEntityDesc::AddFindButton() {
  auto column = TextOf(GetProperty(kFindColumn));
  if (!column) return kOk;
  CCtrlDesc* button = nullptr;
  if (Status status = MakeButton("Find", button)) return status;
  CEventDesc* click = button->GetEvent("Click");
  if (!click) return kNoEvent;
  click->Append(SubEvent::kMain, SubEventSlot::kBody,
                VbFragment(R"(
        tk_FindButton $data$, "$field$", "$criteria_name$"
    )",
                           {{"data", DataCtrlName()},
                            {"field", VbStringText(*column)},
                            {"criteria_name", VbStringText(SqlName::Quoted(*column))}}));
  return kOk;
}

// Cancel drops the edit (and a new record) and shows the record as it is stored.
Status CEntityDesc::AddCancelButton() {
  auto wanted = GetProperty(kCancelButton);
  if (!wanted || NumberOf(*wanted) == 0) return kOk;
  CCtrlDesc* button = nullptr;
  if (Status status = MakeButton("Cancel", button)) return status;
  CEventDesc* click = button->GetEvent("Click");
  if (!click) return kNoEvent;
  const std::string& entity = GetEntityName();
  click->Append(SubEvent::kMain, SubEventSlot::kBody,
                VbFragment(R"(
        $reset$
        tk_CancelButton $data$, nNoRepos
        $set_to_screen$
    )",
                           {{"reset", FormContext::ResetName(entity)},
                            {"data", DataCtrlName()},
                            {"set_to_screen", FormContext::SetToScreenName(entity)}}));
  return kOk;
}

Status CEntityDesc::AddRecordTools() {
  if (Status status = AddFindButton()) return status;
  if (Status status = AddCancelButton()) return status;
  return AddPositionCode();
}

}  // namespace tavik
