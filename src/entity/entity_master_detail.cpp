// Master/detail between entities: key migration, child refresh and their hooks.
#include <optional>
#include <string>
#include <string_view>

#include <fmt/format.h>

#include "controls/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"
#include "model/relation_desc.h"
#include "visualizers/grid_visualizer.h"

namespace tavik {

namespace {

// The one parameter of a child's refresh procedure.
constexpr PARAMDESCRIPTION kParentDataCtrlParam[] = {{8, "ParentDataCtrl", "Data"},
                                                     {-1, nullptr, nullptr}};

// Statuses of SetForeignKeys for a missing "New" button or its "Click" event, and of
// RepopulateChildren for a relation without an id. They are the numbers these two operations
// document, which callers and the user see; that 4 is also kNullArgument elsewhere is the
// numbering per operation (base/status.h), and no caller tells the two apart.
enum ForeignKeyFault : Status { kNoNewButton = 4, kNoClickEvent = 5 };
enum RepopulateFault : Status { kNoRelationId = 4 };

// The low 16 bits of the relation's RELATION_ID, or none when the relation has none.
std::optional<std::uint16_t> RelationId(const CRelationDesc& relation) {
  auto id = relation.GetProperty("RELATION_ID");
  if (!id || id->IsEmpty()) return std::nullopt;
  return static_cast<std::uint16_t>(id->AsInteger() & 0xFFFF);
}

// The attribute's name as the generated code writes it into a string literal: in SQL (the
// query name) or to look the field up in a recordset (the physical name).
std::string LiteralName(const CAttribute& attribute, std::string_view property) {
  auto name = attribute.GetProperty(property);
  return name ? VbStringText(name->Text()) : std::string();
}

// The child's key as its condition names it: the query name, with the table's name once
// its grid joins other tables.
std::string ConditionName(const CEntityDesc& child, const CAttribute& key) {
  if (!child.JoinedLookups()) return LiteralName(key, "SQLQUERY_NAME");
  auto name = key.GetProperty("PHYSICAL_NAME");
  return name ? VbStringText(child.SqlColumnName(name->Text())) : std::string();
}

// Calls visit(child attribute, parent attribute) for every attribute of the child migrated
// from the parent through the relation; keys whose parent attribute is unknown are skipped.
template <typename Visit>
void ForEachMigratedKey(const CEntity& child, const CEntity& parent, const CRelationDesc& relation,
                        std::uint16_t relation_id, Visit visit) {
  for (std::size_t i = 0; i < relation.GetAttribCount(); ++i) {
    std::uint16_t attribute_id = relation.GetAttrib(i);
    for (CAttribute* key = child.GetFirstAttrib(attribute_id, relation_id); key;
         key = child.GetNextAttrib(attribute_id, relation_id, key)) {
      if (CAttribute* parent_key = parent.GetAttribFromDisplayName(key->GetBaseName())) {
        visit(static_cast<CAttribDesc&>(*key), static_cast<CAttribDesc&>(*parent_key));
      }
    }
  }
}

// The hooks go to the entity's grid visualizer when it is shown as a grid.
Status ParentPreHook(CEntityDesc& parent, std::string& reposition, std::string& refresh,
                     CEntityDesc* child) {
  if (CGridVisualizer* grid = parent.GetGridVisualizer()) {
    return grid->DoParentPreChildRepopulate(reposition, refresh, child);
  }
  return parent.DoParentPreChildRepopulate(reposition, refresh, child);
}

Status ChildPreHook(CEntityDesc& child, std::string& reposition, std::string& refresh,
                    CEntityDesc* parent) {
  if (CGridVisualizer* grid = child.GetGridVisualizer()) {
    return grid->DoChildPreChildRepopulate(reposition, refresh, parent);
  }
  return child.DoChildPreChildRepopulate(reposition, refresh, parent);
}

Status ParentPostHook(CEntityDesc& parent, std::string& reposition, std::string& refresh,
                      CEntityDesc* child) {
  if (CGridVisualizer* grid = parent.GetGridVisualizer()) {
    return grid->DoParentPostChildRepopulate(reposition, refresh, child);
  }
  return parent.DoParentPostChildRepopulate(reposition, refresh, child);
}

Status ChildPostHook(CEntityDesc& child, std::string& reposition, std::string& refresh,
                     CEntityDesc* parent) {
  if (CGridVisualizer* grid = child.GetGridVisualizer()) {
    return grid->DoChildPostChildRepopulate(reposition, refresh, parent);
  }
  return child.DoChildPostChildRepopulate(reposition, refresh, parent);
}

// The condition on the child's keys over all of its parents' current rows, each key
// followed by the AND that joins it to the next; the last AND is taken off again.
Status AppendKeyCondition(CEntityDesc& child, std::string& refresh) {
  static constexpr std::string_view kAnd = "& \" AND ";
  for (const auto& [parent_entity, relation] : child.GetParentList()) {
    auto relation_id = RelationId(*relation);
    if (!relation_id) return kNoRelationId;
    const auto& parent = static_cast<const CEntityDesc&>(*parent_entity);
    std::string parent_data_ctrl = parent.DataCtrlName();
    ForEachMigratedKey(child, parent, *relation, *relation_id,
                       [&](const CAttribDesc& key, const CAttribDesc& parent_key) {
                         refresh += fmt::format("{} = \" & tk_SQLValue({}, \"{}\"){}",
                                                ConditionName(child, key), parent_data_ctrl,
                                                LiteralName(parent_key, "PHYSICAL_NAME"), kAnd);
                       });
  }
  if (refresh.ends_with(kAnd)) refresh.resize(refresh.size() - kAnd.size());
  return kOk;
}

// A child's order follows the condition its parents' rows put in when it is refreshed.
std::string OrderAfterCondition(const CEntityDesc& child) {
  const std::string order = child.OrderClause();
  return order.empty() ? order : " & \"" + VbStringText(order) + "\"";
}

// Whether rows added to the detail in a grid get their master's keys from the form.
bool FillsKeys(const CRelationDesc& relation) {
  auto fill = relation.GetProperty("FILL_KEYS");
  return fill && !fill->IsEmpty() && fill->AsInteger() == 1;
}

}  // namespace

bool CEntityDesc::IsKeyFilledFromMaster(const CAttribute& attribute) const {
  if (!GetGridVisualizer()) return false;
  bool filled = false;
  for (const auto& [parent_entity, relation] : GetParentList()) {
    auto relation_id = RelationId(*relation);
    if (!relation_id || !FillsKeys(*relation)) continue;
    ForEachMigratedKey(*this, *parent_entity, *relation, *relation_id,
                       [&](const CAttribDesc& key, const CAttribDesc& /*parent_key*/) {
                         filled = filled || &key == &attribute;
                       });
  }
  return filled;
}

// A grid has no New button: a row added in it gets its masters' keys as it is saved.
Status CEntityDesc::FillGridKeys() {
  CEventDesc* validate = GetDataCtrl() ? GetDataCtrl()->GetEvent("Validate") : nullptr;
  if (!validate) return kNoEvent;
  const std::string data_ctrl = DataCtrlName();
  for (const auto& [parent_entity, relation] : GetParentList()) {
    auto relation_id = RelationId(*relation);
    if (!relation_id || !FillsKeys(*relation)) continue;
    const auto& parent = static_cast<const CEntityDesc&>(*parent_entity);
    std::string keys;
    ForEachMigratedKey(*this, parent, *relation, *relation_id,
                       [&](const CAttribDesc& key, const CAttribDesc& parent_key) {
                         auto field = key.GetProperty("PHYSICAL_NAME");
                         auto parent_field = parent_key.GetProperty("PHYSICAL_NAME");
                         if (!HasText(field) || !HasText(parent_field)) return;
                         keys += VbFragment(
                             R"(
                    $field$ = $parent_field$
    )",
                             {{"field", CDataCtrl::FieldExpression(data_ctrl, field->Text())},
                              {"parent_field", CDataCtrl::FieldExpression(parent.DataCtrlName(),
                                                                          parent_field->Text())}});
                       });
    if (keys.empty()) continue;
    validate->Append(
        SubEvent::kValidateFieldChecks, SubEventSlot::kBody,
        VbFragment(R"(
            If $data$.EditMode = dbEditAdd Then
                If tk_CurrRowExists($parent$) Then
                $keys$
                End If
            End If
    )",
                   {{"data", data_ctrl}, {"parent", parent.DataCtrlName()}, {"keys", keys}}));
  }
  return kOk;
}

Status CEntityDesc::SetForeignKeys() {
  CCtrlDesc* new_button = GetButton("New");
  if (!new_button) return kNoNewButton;
  if (!new_button->GetEvent("Click")) return kNoClickEvent;
  Status failed = kOk;
  for (const auto& [parent_entity, relation] : GetParentList()) {
    auto relation_id = RelationId(*relation);
    if (!relation_id) continue;
    auto& parent = static_cast<CEntityDesc&>(*parent_entity);
    ForEachMigratedKey(*this, parent, *relation, *relation_id,
                       [&](CAttribDesc& key, CAttribDesc& parent_key) {
                         CVisualizer* visualizer = key.GetVisualizer();
                         if (!visualizer || failed != kOk) return;
                         failed = visualizer->DoForeignKey(parent.GetDataCtrl(), &parent_key);
                       });
  }
  return failed;
}

Status CEntityDesc::RepopulateChildren() {
  FormContext* form = GetFormContext();
  const std::string parent_data_ctrl = DataCtrlName();
  std::string reposition = VbFragment(R"(
            Screen.MousePointer = HOURGLASS
    )");
  for (const auto& [child_entity, relation] : GetChildList()) {
    std::string refresh;
    if (!RelationId(*relation)) return kNoRelationId;
    auto& child = static_cast<CEntityDesc&>(*child_entity);
    const std::string& child_name = child.GetEntityName();
    const std::string child_data_ctrl = child.DataCtrlName();
    CEventDesc* procedure = form->MakeProcedure(child_name + "_DoRefresh");
    if (!procedure) continue;
    // A child with several parents on the form gets its procedure from the first of them.
    if (procedure->GetSubEventCount() == 0) {
      procedure->AddParameters(kParentDataCtrlParam);
      if (Status status = ParentPreHook(*this, reposition, refresh, &child)) return status;
      if (Status status = ChildPreHook(child, reposition, refresh, this)) return status;
      std::string condition;
      if (Status status = AppendKeyCondition(child, condition)) return status;
      refresh += VbFragment(R"(
            If $child_data$.EditMode <> dbEditNone Then
                tk_DS_Update Me, $child_data$, nNoRepos, b$child$UpdateFailed
            End If
            If ParentDataCtrl.EditMode <> DATA_EDITADD And tk_CurrRowExists(ParentDataCtrl) Then$blank$
                'repopulate child data source
                $child_data$.RecordSource = s$child$_Select & " $condition$$order$
            Else
                'clear child data source
                nNoRepos = nNoRepos + 1
                $child_data$.Recordset.AddNew
                nNoRepos = nNoRepos - 1
                $child_data$.RecordSource = s$child$_Select & " 1=2 "
            End If
    )",
                            {{"blank", " "},
                             {"child_data", child_data_ctrl},
                             {"child", child_name},
                             {"condition", condition},
                             {"order", OrderAfterCondition(child)}});
      if (Status status = ParentPostHook(*this, reposition, refresh, &child)) return status;
      if (Status status = ChildPostHook(child, reposition, refresh, this)) return status;
      procedure->Append(SubEvent::kMain, SubEventSlot::kBody, refresh);
    }
    reposition += VbFragment(R"(
            Set ds = $child_data$
            $child$_DoRefresh $parent_data$
    )",
                             {{"child_data", child_data_ctrl},
                              {"child", child_name},
                              {"parent_data", parent_data_ctrl}});
  }
  reposition += VbFragment(R"(
            Screen.MousePointer = ARROW
    )");
  if (!data_ctrl_) return kOk;
  CEventDesc* event = data_ctrl_->GetEvent("Reposition");
  if (!event) return kOk;
  event->Prepend(SubEvent::kRepositionFields, SubEventSlot::kBody, reposition);
  return kOk;
}

Status CEntityDesc::DoParentPreChildRepopulate(std::string&, std::string&, CEntityDesc*) {
  return kOk;
}
Status CEntityDesc::DoChildPreChildRepopulate(std::string&, std::string&, CEntityDesc*) {
  return kOk;
}
Status CEntityDesc::DoParentPostChildRepopulate(std::string&, std::string&, CEntityDesc*) {
  return kOk;
}
Status CEntityDesc::DoChildPostChildRepopulate(std::string&, std::string& refresh, CEntityDesc*) {
  refresh += VbFragment(R"(
        $data$.Refresh
    )",
                        {{"data", DataCtrlName()}});
  refresh += CountRecordsCode();
  return kOk;
}

}  // namespace tavik
