// Control descriptors: identity, properties, events, layout, file text and live creation.
#include "controls/ctrl_desc.h"

#include <bit>
#include <charconv>

#include "controls/ctrl_maker.h"
#include "controls/data_source.h"
#include "controls/timer_ctrl.h"
#include "form/ctrl_group.h"
#include "form/ctrl_pos_item.h"
#include "form/event_desc.h"
#include "form/form_context.h"
#include "form/form_text.h"
#include "formfile/block_printer.h"
#include "model/attribute.h"
#include "model/entity.h"
#include "model/nx_property_section.h"
#include "model/property_names.h"
#include "model/string_hash_map.h"

namespace tavik {

CCtrlDesc::CCtrlDesc() {
  slot_positions_.fill(kNoPosition);
}
CCtrlDesc::~CCtrlDesc() = default;

Status CCtrlDesc::Init(const char* class_name, std::uint16_t version, FormContext* form,
                       CtrlMaker* maker) {
  if (class_name) class_name_ = class_name;
  section_ = std::make_unique<CNxPropertySection>(format_ids::kControl);
  given_name_bits_ = 0;
  slot_positions_.fill(kNoPosition);
  // Room made once for what most controls end with (a bound field's has eleven or twelve)
  // spares the list's regrowth, which would move every property each time.
  constexpr std::size_t kUsualPropertyCount = 12;
  section_->Reserve(kUsualPropertyCount);
  maker_ = maker;
  version_ = version;
  form_ = form;
  return kOk;
}

Status CCtrlDesc::SetClassName(const char* name) {
  if (!name) return kNoMemory;
  class_name_ = name;
  return kOk;
}

void CCtrlDesc::SetDataSource(std::unique_ptr<CDataSource> source) {
  data_source_ = std::move(source);
}

std::unique_ptr<CDataSource> CCtrlDesc::TakeDataSource() {
  return std::move(data_source_);
}

CAttribute* CCtrlDesc::GetAttribute() const {
  return maker_ ? maker_->ShownAttribute() : nullptr;
}

BoundEntity* CCtrlDesc::GetBoundEntity() const {
  return maker_ ? maker_->ShownEntity() : nullptr;
}

const std::string& CCtrlDesc::GetEntityName() const {
  static const std::string kNoEntity;
  const CAttribute* attribute = GetAttribute();
  const CEntity* entity = attribute ? attribute->GetEntity() : nullptr;
  return entity ? entity->GetEntityName() : kNoEntity;
}

namespace {
// The slot of a name PropertyNames gave, or SharedPropertyName::kNoSlot.
std::uint8_t SlotOfShared(const std::string& shared_name) {
  for (const SharedPropertyName* named : ctrl_props::kSlotNames) {
    if (&named->Shared() == &shared_name) return named->Slot();
  }
  return SharedPropertyName::kNoSlot;
}
}  // namespace

Status CCtrlDesc::AddProperty(Value value, std::string_view name, int flag) {
  // Kept in id order whatever the flag, so the file lists properties as they were first added.
  (void)flag;
  // The name is interned once, for the look-up and for the new property alike.
  const std::string& shared_name = PropertyNames::Intern(name);
  const std::uint8_t slot = SlotOfShared(shared_name);
  if (slot != SharedPropertyName::kNoSlot) {
    return AddSlotProperty(std::move(value), shared_name, slot);
  }
  return AddPropertyOfSharedName(std::move(value), shared_name);
}

Status CCtrlDesc::AddProperty(Value value, const SharedPropertyName& name) {
  const std::uint8_t slot = name.Slot();
  if (slot != SharedPropertyName::kNoSlot) {
    return AddSlotProperty(std::move(value), name.Shared(), slot);
  }
  return AddPropertyOfSharedName(std::move(value), name.Shared());
}

Status CCtrlDesc::AddSlotProperty(Value&& value, const std::string& shared_name,
                                  std::uint8_t slot) {
  if (!section_) return kNoMemory;
  std::uint8_t& position = slot_positions_[slot];
  if (position != kNoPosition) {
    section_->PropertyAt(position).SetValue(std::move(value));
    return kOk;
  }
  const std::size_t end = section_->GetPropertyList().size();
  if (end >= kNoPosition) return AddPropertyOfSharedName(std::move(value), shared_name);
  position = static_cast<std::uint8_t>(end);
  section_->AddNamedProperty(next_property_id_++, std::move(value), shared_name);
  return kOk;
}

Status CCtrlDesc::AddPropertyOfSharedName(Value&& value, const std::string& shared_name) {
  if (!section_) return kNoMemory;
  const std::uint64_t name_bit = PropertyNames::BitOf(shared_name);
  if ((given_name_bits_ & name_bit) != 0) return ReplaceProperty(std::move(value), shared_name);
  given_name_bits_ |= name_bit;
  section_->AddNamedProperty(next_property_id_++, std::move(value), shared_name);
  return kOk;
}

// Apart from the add, so that a new property, as most are, is added without the frame the
// search and the replacement need.
[[gnu::noinline]] Status CCtrlDesc::ReplaceProperty(Value&& value, const std::string& shared_name) {
  if (CNxProperty* existing = section_->GetPropertyOfSharedName(shared_name)) {
    existing->Set(existing->GetId(), std::move(value));
    return kOk;
  }
  section_->AddNamedProperty(next_property_id_++, std::move(value), shared_name);
  return kOk;
}

std::optional<Value> CCtrlDesc::GetProperty(std::string_view name) const {
  const CNxProperty* property = section_ ? section_->GetProperty(name) : nullptr;
  return property ? property->ToVariant() : std::nullopt;
}

const Value* CCtrlDesc::FindProperty(const SharedPropertyName& name) const {
  const CNxProperty* property = FindNamedProperty(name);
  return property ? &property->GetValue() : nullptr;
}

const CNxProperty* CCtrlDesc::FindNamedProperty(const SharedPropertyName& name) const {
  if (const std::uint8_t slot = name.Slot(); slot != SharedPropertyName::kNoSlot) {
    const std::uint8_t position = slot_positions_[slot];
    if (position != kNoPosition) return &section_->GetPropertyList()[position];
    if (!section_ || section_->GetPropertyList().size() < kNoPosition) return nullptr;
  }
  const std::string& shared_name = name.Shared();
  if ((given_name_bits_ & PropertyNames::BitOf(shared_name)) == 0) return nullptr;
  return section_ ? section_->GetPropertyOfSharedName(shared_name) : nullptr;
}

namespace {
std::optional<std::string> TextOf(const std::optional<Value>& value) {
  if (!value) return std::nullopt;
  return value->Text();
}
}  // namespace

std::optional<std::string> CCtrlDesc::GetConnectString() const {
  return TextOf(GetProperty("Connect"));
}
std::optional<std::string> CCtrlDesc::GetDatabaseString() const {
  return TextOf(GetProperty("DatabaseName"));
}
std::optional<std::string> CCtrlDesc::GetRecordSourceString() const {
  return TextOf(GetProperty("RecordSource"));
}

struct CCtrlDesc::EventNode {
  CEventDesc event;
  std::unique_ptr<EventNode> next;
  // The name's bucket, which orders the procedures in the file.
  std::uint8_t bucket = 0;
};

CEventDesc* CCtrlDesc::GetEvent(std::string_view name) {
  for (EventNode* node = events_.get(); node; node = node->next.get()) {
    if (node->event.GetEventName() == name) return &node->event;
  }
  auto node = std::make_unique<EventNode>();
  if (node->event.Init(name, nullptr, class_name_.c_str()) != kOk) return nullptr;
  node->bucket = static_cast<std::uint8_t>(StringHashMap<int>::BucketOf(name));
  node->next = std::move(events_);
  events_ = std::move(node);
  return &events_->event;
}

template <typename Visitor>
void CCtrlDesc::ForEachEvent(Visitor&& visit) {
  std::uint32_t buckets = 0;
  for (EventNode* node = events_.get(); node; node = node->next.get()) {
    buckets |= std::uint32_t{1} << node->bucket;
  }
  for (; buckets != 0; buckets &= buckets - 1) {
    const auto bucket = static_cast<std::uint8_t>(std::countr_zero(buckets));
    for (EventNode* node = events_.get(); node; node = node->next.get()) {
      if (node->bucket == bucket) visit(node->event);
    }
  }
}

Status CCtrlDesc::AddControlRef(int* /*index*/) {
  return kOk;
}
Status CCtrlDesc::BindControl(CDataCtrl* /*data_ctrl*/, std::string_view /*field_name*/,
                              int /*extra*/) {
  return kOk;
}
Status CCtrlDesc::DoEmptyIsNull() {
  return kOk;
}

Status CCtrlDesc::AddControlArrayEntry(int* index) {
  if (!index) return kNullArgument;
  CTimerCtrl* timer = form_ ? form_->GetTimerCtrl() : nullptr;
  if (!timer) return kNoEvent;
  CEventDesc* timer_event = timer->GetEvent("Timer");
  if (!timer_event) return kNoEvent;
  // One line for each control of the form, appended where the event keeps it.
  const std::string& entity = GetEntityName();
  char number[16];
  const auto end = std::to_chars(number, number + sizeof number, *index).ptr;
  std::string& line = timer_event->Piece(SubEvent::kMain, SubEventSlot::kBody);
  line.append("\tSet ax").append(entity).append("_Ctrl(");
  line.append(number, end).append(") = ").append(name_).append("\r\n");
  ++*index;
  return kOk;
}

Status CCtrlDesc::DoLayout(CCtrlPosItem& item, CCtrlGroup& group) {
  item.x = group.GetColumnPosition(item.column);
  item.y = static_cast<float>(group.GetCurrentY());
  const Value* height = FindProperty(ctrl_props::kHeight);
  if (!height) return kMissingProperty;
  group.SetCurrentY(
      static_cast<std::uint16_t>(group.GetCurrentY() + static_cast<int>(height->AsSingle()) + 50));
  return kOk;
}

void CCtrlDesc::OpenBlock(formfile::BlockPrinter& printer) {
  printer.Begin(class_name_, name_);
  printer.Properties(section_->GetPropertyList());
  for (auto& entry : children_) {
    if (entry.present) entry.child->WriteCtrlToFile(printer);
  }
}

void CCtrlDesc::WriteCtrlToFile(formfile::BlockPrinter& printer) {
  if (children_.empty()) {
    printer.Block(class_name_, name_, section_->GetPropertyList());
    return;
  }
  OpenBlock(printer);
  printer.End();
}

// The caption stays, in the section it stood in, by which an entity finds its buttons.
void CCtrlDesc::DropPrintedProperties() {
  const CNxProperty* caption = FindNamedProperty(ctrl_props::kCaption);
  given_name_bits_ = 0;
  slot_positions_.fill(kNoPosition);
  if (section_ && section_->KeepOnlyProperty(caption)) {
    section_->SetFormatID(format_ids::kControl);
    slot_positions_[ctrl_props::kCaption.Slot()] = 0;
  } else {
    section_.reset();
  }
  // Its code waits for the form's end: held as tight as it stands.
  ForEachEvent([](CEventDesc& event) { event.ReleaseSpareRoom(); });
  for (auto& entry : children_) {
    if (entry.child) entry.child->DropPrintedProperties();
  }
}

void CCtrlDesc::WriteEventsToFile(formfile::BlockPrinter& printer) {
  ForEachEvent([&](const CEventDesc& event) {
    FormText::EventBlock(printer, {name_, "_", event.GetEventName()}, event,
                         FormText::kControlEventComments);
  });
  for (auto& entry : children_) {
    if (entry.present) entry.child->WriteEventsToFile(printer);
  }
}

Status CCtrlDesc::GenerateCtrl(TVK_HANDLE form_handle, TVK_HANDLE* out_handle,
                               TVK_HANDLE parent_handle) {
  CClntDesc* client = form_ ? form_->GetClntDesc() : nullptr;
  if (!client || !client->ops || !client->ops->CreateClientCtrl) return kNullArgument;
  TVK_HANDLE new_handle = 0;
  if (auto status = client->ops->CreateClientCtrl(client, class_name_.c_str(), &new_handle,
                                                  form_handle, parent_handle)) {
    return static_cast<Status>(status);
  }
  for (const auto& property : section_->GetPropertyList()) {
    // The client gets a string it may write through; the copy keeps the property as it is.
    Value copy = property.GetValue();  // NOLINT(performance-unnecessary-copy-initialization)
    TVK_VARIANT variant = copy.ToVariant();
    if (client->ops->SetClientCtrlProperty) {
      client->ops->SetClientCtrlProperty(client, property.GetName().c_str(), &variant, new_handle);
    }
  }
  for (auto& entry : children_) {
    TVK_HANDLE child_handle = 0;
    // A child the client cannot make is left out; the client said why.
    if (entry.present) (void)entry.child->GenerateCtrl(form_handle, &child_handle, new_handle);
  }
  *out_handle = new_handle;
  return kOk;
}

}  // namespace tavik
