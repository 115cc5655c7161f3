// One Visual Basic control: its class, name, properties, events, children and layout.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "controls/shared_property_name.h"
#include "form/ctrl_handle.h"
#include "model/format_id.h"
#include "model/value.h"
#include "tavikfw/client.h"

namespace tavik {

namespace formfile {
class BlockPrinter;
}
class BoundEntity;
class CAttribute;
class CCtrlDesc;
class CCtrlGroup;
class CCtrlPosItem;
class CDataCtrl;
class CDataSource;
class CEventDesc;
class CNxProperty;
class CNxPropertySection;
class CtrlMaker;
class FormContext;

// A handler translates one model property (null when absent) into control properties.
using PropertyHandler = Status (*)(CCtrlDesc& control, const std::optional<Value>& value);

struct ESDESC {
  std::int32_t id;
  const char* name;
  PropertyHandler handler;
  // The name's shared copy (PropertyNames), taken at its first look-up: every control of a
  // form looks the same few names up in its attribute's groups.
  mutable std::atomic<const std::string*> shared_name{nullptr};

  const std::string& SharedName() const;
};
using COLPROPDESC = ESDESC;

struct ChildEntry {
  std::int32_t kind = 0;
  std::int32_t present = 1;
  std::int32_t field = 0;
  std::int32_t size = 0;
  std::unique_ptr<CCtrlDesc> child;
};

class CCtrlDesc {
 public:
  static constexpr std::uint16_t kWriteBackColor = 1;
  static constexpr std::uint16_t kWriteForeColor = 2;

  CCtrlDesc();
  virtual ~CCtrlDesc();
  CCtrlDesc(const CCtrlDesc&) = delete;
  CCtrlDesc& operator=(const CCtrlDesc&) = delete;

  [[nodiscard]] Status Init(const char* class_name, std::uint16_t version, FormContext* form,
                            CtrlMaker* maker);

  // Identity.
  [[nodiscard]] Status SetClassName(const char* name);
  const std::string& GetClassName() const { return class_name_; }
  void SetCtrlName(std::string_view name) { name_ = name; }
  // The same for a name made for the control, which it keeps without a copy.
  void TakeCtrlName(std::string&& name) { name_ = std::move(name); }
  const std::string& GetCtrlName() const { return name_; }
  CtrlHandle GetCtrlHandle() const { return handle_; }
  void SetCtrlHandle(CtrlHandle handle) { handle_ = handle; }
  std::uint16_t GetVersion() const { return version_; }
  // The form the control is made for, seen through what controls add to it and ask of it.
  FormContext* GetFormDesc() const { return form_; }
  // The attribute that drives the control, through the visualizer that made it (or none).
  CAttribute* GetAttribute() const;
  // The entity of that attribute, or none; and its name, empty without one.
  BoundEntity* GetBoundEntity() const;
  const std::string& GetEntityName() const;
  CDataCtrl* GetDataCtrl() const { return data_ctrl_; }
  void SetDataCtrl(CDataCtrl* data_ctrl) { data_ctrl_ = data_ctrl; }
  // The fields a running data control reads, once Smart RE has attached them; owned.
  CDataSource* GetDataSource() const { return data_source_.get(); }
  void SetDataSource(std::unique_ptr<CDataSource> source);
  std::unique_ptr<CDataSource> TakeDataSource();

  // Flags.
  int IsFocusCtrl() const { return focus_flag_; }
  void IsFocusCtrl(int focus) { focus_flag_ = focus; }
  void SetCompareFlag(int flag) { compare_flag_ = flag; }
  int GetCompareFlag() const { return compare_flag_; }
  int GetDrawFlag() const { return draw_flag_; }
  void SetDrawFlag(int flag) { draw_flag_ = flag; }
  int GetKindFlag() const { return kind_flag_; }
  std::uint16_t GetColorsMask() const { return colors_mask_; }
  void SetColorsMask(std::uint16_t mask) { colors_mask_ = mask; }

  // Properties: a replaced value keeps its place; new names are numbered from 3. Fails only
  // before Init, so a caller that has run Init may leave its status unread.
  Status AddProperty(Value value, std::string_view name, int flag = 0);
  // The same for a name held as a constant, found and added by its shared copy.
  Status AddProperty(Value value, const SharedPropertyName& name);
  std::optional<Value> GetProperty(std::string_view name) const;
  // The value of the property of that name, or null; it holds until a property is added.
  const Value* FindProperty(const SharedPropertyName& name) const;
  const CNxPropertySection& GetPropertySection() const { return *section_; }
  std::optional<std::string> GetConnectString() const;
  std::optional<std::string> GetDatabaseString() const;
  std::optional<std::string> GetRecordSourceString() const;

  // Events, one procedure per event name: the event of that name, made when missing (null
  // only for an empty name). It stays where it is while the control lives.
  CEventDesc* GetEvent(std::string_view name);
  bool HasEvents() const { return events_ != nullptr; }

  // Children of a container control.
  std::vector<ChildEntry>& GetGroupList() { return children_; }
  const std::vector<ChildEntry>& GetGroupList() const { return children_; }
  bool HasChildren() const { return !children_.empty(); }
  void AddChild(ChildEntry entry) { children_.push_back(std::move(entry)); }

  // Binding and code; the base versions do nothing.
  [[nodiscard]] virtual Status AddControlRef(int* index);
  [[nodiscard]] virtual Status GenerateCtrl(TVK_HANDLE form_handle, TVK_HANDLE* out_handle,
                                            TVK_HANDLE parent_handle);
  [[nodiscard]] virtual Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                           int extra);
  [[nodiscard]] virtual Status DoEmptyIsNull();

  // Translation of model properties and sizing.
  [[nodiscard]] Status HandleProperties();
  const ESDESC* FindEditStyle(std::string_view name) const;
  [[nodiscard]] virtual Status DoWidthHeight() { return DoWidthHeight(1); }
  [[nodiscard]] Status DoWidthHeight(int use_style_size);
  // The same for a sample the caller has in hand; it is read before any property is added.
  [[nodiscard]] Status DoWidthHeightOf(std::string_view sample, int use_style_size);
  virtual std::optional<std::string> GetWidthSample();
  virtual int CalcCharWidth();
  virtual std::uint16_t AdjustCtrlWidth(std::uint16_t width);
  // Reads a property of the attribute's control property group or edit-style group.
  std::optional<Value> GetColProp(std::string_view name) const;
  std::optional<Value> GetEditStyleProp(std::string_view name) const;
  // The same by a name held as a constant: the value in place, or null where those answer
  // nothing. It holds while the attribute's groups are not changed.
  const Value* FindColProp(const SharedPropertyName& name) const;
  const Value* FindEditStyleProp(const SharedPropertyName& name) const;
  // A property of one of an attribute's groups (none without an attribute), read so.
  static const Value* FindGroupProp(CAttribute* attribute, const FormatId& group,
                                    const SharedPropertyName& name);
  // The same in a group found once for several look-ups (none when null).
  static const Value* FindInGroup(CNxPropertySection* group, const SharedPropertyName& name);

  // Layout.
  [[nodiscard]] virtual Status DoLayout(CCtrlPosItem& item, CCtrlGroup& group);

  // The control's block of the form file (without its closing End) and its procedures.
  // The control's block: "Begin", its properties, its children's blocks, "End". Opened,
  // the block is left for the caller to end (the scrolled panel holds the other controls).
  void WriteCtrlToFile(formfile::BlockPrinter& printer);
  // Once its block is in the file a control keeps only its caption, by which an entity finds
  // its buttons (no section without one); its children likewise.
  void DropPrintedProperties();
  void OpenBlock(formfile::BlockPrinter& printer);
  // Its event procedures, then its children's.
  void WriteEventsToFile(formfile::BlockPrinter& printer);

 protected:
  // The control's entry in its entity's control array, set by the form's timer; the index
  // moves on to the next entry. For the AddControlRef of controls that have an entry.
  [[nodiscard]] Status AddControlArrayEntry(int* index);
  void SetKindFlag(int kind) { kind_flag_ = kind; }
  void SetTables(const COLPROPDESC* control_table, const ESDESC* style_table) {
    col_prop_table_ = control_table;
    style_table_ = style_table;
  }

 private:
  // The attribute's control property group and edit-style group (none without an
  // attribute), found once for a run of look-ups in them.
  struct AttributeGroups {
    CNxPropertySection* control = nullptr;
    CNxPropertySection* edit_style = nullptr;
  };
  AttributeGroups FindAttributeGroups() const;
  // The property of that name, found by its slot or its bit and the search, or null.
  const CNxProperty* FindNamedProperty(const SharedPropertyName& name) const;

  // A control has one to three events: each sits in a node of a list, newest first, found by
  // comparing names, so an event costs one allocation and no table.
  struct EventNode;
  // Calls visit(event) in the order the form lists a control's procedures: by the bucket of
  // the name in a 17-bucket table, and newest first within a bucket.
  template <typename Visitor>
  void ForEachEvent(Visitor&& visit);

  Status AddPropertyOfSharedName(Value&& value, const std::string& shared_name);
  // The same for a name whose bit is given: the property of that name takes the value, or
  // the property is added when the bit stood for another name.
  Status ReplaceProperty(Value&& value, const std::string& shared_name);
  // The same for the name of a slot: the property is replaced where it stands, or added.
  Status AddSlotProperty(Value&& value, const std::string& shared_name, std::uint8_t slot);
  void ApplyTable(const ESDESC* table, CNxPropertySection* group);
  void AddColorProperty(const Value* code, const SharedPropertyName& property,
                        std::string_view default_color);

  int kind_flag_ = 0;
  int focus_flag_ = 0;
  int compare_flag_ = 0;
  int draw_flag_ = 1;
  std::string class_name_;
  CDataCtrl* data_ctrl_ = nullptr;
  std::unique_ptr<CDataSource> data_source_;
  FormContext* form_ = nullptr;
  // Made by Init; a control has no other property section.
  std::unique_ptr<CNxPropertySection> section_;
  // A bit for each name without a slot given a property of the section (PropertyNames::
  // BitOf): a name whose bit is clear is new, and is added without a search of the section.
  std::uint64_t given_name_bits_ = 0;
  std::string name_;
  std::vector<ChildEntry> children_;
  CtrlMaker* maker_ = nullptr;
  const COLPROPDESC* col_prop_table_ = nullptr;
  const ESDESC* style_table_ = nullptr;
  CtrlHandle handle_ = 0;
  std::uint16_t version_ = 0;
  std::uint16_t colors_mask_ = 0xFFFF;
  // Where the property of each slot's name (SharedPropertyName::Slot) stands in the section,
  // or kNoPosition when the control has none: the names every control is given are added,
  // replaced and read without a search, and take no bit above. Past kNoPosition properties
  // (no control has so many) a name not placed yet goes by its bit and the search.
  static constexpr std::uint8_t kNoPosition = 0xFF;
  std::array<std::uint8_t, SharedPropertyName::kSlotCount> slot_positions_;
  std::int32_t next_property_id_ = 3;
  std::unique_ptr<EventNode> events_;
  // The attribute's groups HandleProperties found, for the sizing it runs; null otherwise.
  // (Kept here, the control stays at 224 bytes.)
  const AttributeGroups* sizing_groups_ = nullptr;
};

// The shared control property table: visibility, help id, tag, read-only, fonts.
extern const COLPROPDESC col_prop_lookup[];

}  // namespace tavik
