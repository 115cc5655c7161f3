// An entity as it is generated: its data control, buttons, control groups and attributes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/bound_entity.h"
#include "entity/attrib_desc.h"
#include "form/ctrl_group.h"
#include "model/entity.h"

namespace tavik {

class CDataCtrl;
class FormContext;
class GridLookups;
class CGridVisualizer;
class CCtrlDesc;

class CEntityDesc : public CEntity, public BoundEntity {
 public:
  // Status of GenerateAttributes after an attribute failed (the user was told).
  enum AttributesFault : Status { kAttributeFailed = 5 };

  // The form the entity is generated on, as the floors below see it.
  explicit CEntityDesc(FormContext& form);
  ~CEntityDesc() override;

  [[nodiscard]] Status Init(std::string_view label, CForm* form) override;
  std::unique_ptr<CAttribute> AllocateAttribute() override;
  // Adds PHYSICAL_NAME again and SQLQUERY_NAME after the entity's own properties.
  [[nodiscard]] Status GetProperties(std::uint32_t property_list) override;

  // The form, through the door the visualizers and controls below use as well.
  FormContext* GetFormContext() const { return form_; }

  // Generation, in the order form generation calls them.
  [[nodiscard]] Status CreateDataControl();
  [[nodiscard]] Status HandleGridChoice();
  [[nodiscard]] Status GenerateAttributes();
  [[nodiscard]] Status AddDataNavigationButtons();
  CCtrlDesc* GetButton(std::string_view caption) const;

  // Asked for by entity properties (entity_record_tools.cpp): Find and Cancel buttons after
  // Delete, the record's position in the data control's caption, the records' order.
  [[nodiscard]] Status AddRecordTools();
  bool ShowsPosition() const;
  // " ORDER BY column" for the entity's SELECT, or nothing.
  std::string OrderClause() const;
  // A column of the entity's table as its SELECT's condition and order name it.
  std::string SqlColumnName(std::string_view column) const;
  // The looked-up tables a grid joins to show names beside its keys; null for an entity
  // that is no grid or has no such key.
  const GridLookups* JoinedLookups() const;
  // The line that makes the record count exact after the data control's refresh, or nothing.
  std::string CountRecordsCode() const;

  // Master/detail between entities on one form.
  [[nodiscard]] Status SetForeignKeys();
  // Whether the attribute is a key this entity, shown as a grid, takes from a master on
  // the form: its relation says so ("FILL_KEYS" 1, as forms made from databases have), and
  // the user does not type it.
  bool IsKeyFilledFromMaster(const CAttribute& attribute) const;
  // The Validate code that gives a row added in the grid its masters' keys, where the
  // relations say so.
  [[nodiscard]] Status FillGridKeys();
  [[nodiscard]] Status RepopulateChildren();
  [[nodiscard]] Status DoParentPreChildRepopulate(std::string& reposition, std::string& refresh,
                                                  CEntityDesc* child);
  [[nodiscard]] Status DoChildPreChildRepopulate(std::string& reposition, std::string& refresh,
                                                 CEntityDesc* parent);
  [[nodiscard]] Status DoParentPostChildRepopulate(std::string& reposition, std::string& refresh,
                                                   CEntityDesc* child);
  [[nodiscard]] Status DoChildPostChildRepopulate(std::string& reposition, std::string& refresh,
                                                  CEntityDesc* parent);

  // Level in the master/detail hierarchy: 0 for an entity without parents.
  std::int32_t CalcRow();
  std::int32_t CalcCol() const { return -1; }
  std::int32_t GetRowNum() const { return row_; }
  std::int32_t GetColNum() const { return column_; }
  // The first control of the group, depth first, that can take the focus.
  static CCtrlDesc* FindFirstFocusCtrl(const CCtrlGroup& group);

  void SetRegCtrlIndex(std::int32_t index) { registered_index_ = index; }
  std::int32_t GetNextRegCtrlIndex() override { return registered_index_++; }
  std::int32_t GetRegCtrlIndexCount() const { return registered_index_; }

  CDataCtrl* GetDataCtrl() const override { return data_ctrl_; }
  CDataCtrl* MasterDataCtrl() const override;
  // The data control's name; before there is one, the name it will get ("ds" and the entity).
  std::string DataCtrlName() const;
  CGridVisualizer* GetGridVisualizer() const { return grid_visualizer_.get(); }
  void SetGridVisualizer(std::unique_ptr<CGridVisualizer> visualizer);
  // The entity's own group; it stays reachable after the form's group took it over.
  CCtrlGroup* GetCtrlGroup() const { return group_; }
  CCtrlGroup* GetButtonCtrlGroup() const { return button_group_; }
  std::unique_ptr<CCtrlGroup> ReleaseCtrlGroup() { return std::move(owned_group_); }

  int IsGrid() const { return is_grid_; }
  void IsGrid(int grid) { is_grid_ = grid; }
  int GetCompressNamesFlag() const { return compress_names_; }
  int HasCustomGridColumns() const { return custom_grid_columns_; }
  void HasCustomGridColumns(int custom) { custom_grid_columns_ = custom; }

 private:
  // Why an attribute could not be generated; the user sees only the attribute's name. Read
  // by GenerateAttributes alone, which passes on kAttributeFailed, so that 8 is also a fault
  // of entity generation (CFormDesc::EntityFault) confuses no caller.
  enum AttributeFault : Status {
    kNoVisualizer = 8,
    kControlsFailed = 9,
    kValidationListFailed = 10,
    kBindingFailed = 11,
    kNoVisibleProperty = 12,
    kNoColumnName = 13,
    kGroupNotAdded = 14,
  };
  [[nodiscard]] Status GenerateAttribute(CAttribDesc& attribute);
  [[nodiscard]] Status ChooseEditStyle(CAttribDesc& attribute);
  void ReportAttributeError(CAttribDesc& attribute);
  void PlaceColumns();
  [[nodiscard]] Status MakeButton(const char* caption, CCtrlDesc*& button);
  void AddButtonCode(CCtrlDesc& button, std::string_view caption, CCtrlDesc* focus);
  [[nodiscard]] Status AddFindButton();
  [[nodiscard]] Status AddCancelButton();
  [[nodiscard]] Status AddPositionCode();

  FormContext* form_;
  std::int32_t row_ = -1;
  std::int32_t column_ = -1;
  std::int32_t registered_index_ = 0;
  CDataCtrl* data_ctrl_ = nullptr;
  std::unique_ptr<CGridVisualizer> grid_visualizer_;
  std::unique_ptr<CCtrlGroup> owned_group_;
  CCtrlGroup* group_ = nullptr;
  std::unique_ptr<CCtrlGroup> owned_button_group_;
  CCtrlGroup* button_group_ = nullptr;
  int is_grid_ = 0;
  // Made when first asked for, once the attributes are read.
  mutable std::unique_ptr<GridLookups> grid_lookups_;
  int compress_names_ = 0;
  int custom_grid_columns_ = 0;
};

}  // namespace tavik
