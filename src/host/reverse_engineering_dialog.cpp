// The reverse-engineering dialog's behaviour, apart from any window.
#include "host/reverse_engineering_dialog.h"

#include <algorithm>

#include "controls/ctrl_desc.h"
#include "controls/data_source.h"
#include "form/form_desc.h"
#include "host/data_reader.h"
#include "host/registry.h"
#include "text/ascii_case.h"

namespace tavik {

namespace {

// The lists are sorted as the user reads them: without regard to case.
struct CaseInsensitiveLess {
  bool operator()(std::string_view a, std::string_view b) const {
    return text::LessAsciiName(a, b);
  }
};

bool StartsWithIgnoringCase(std::string_view name, std::string_view prefix) {
  return name.size() >= prefix.size() && text::SameAsciiName(name.substr(0, prefix.size()), prefix);
}

template <typename Entries>
void SortByName(Entries& entries) {
  std::ranges::stable_sort(entries, CaseInsensitiveLess{}, &Entries::value_type::name);
}

}  // namespace

CReverseEngineeringDlg::CReverseEngineeringDlg(Registry& registry, void* start_form_manager,
                                               ReverseEngineeringFrontend* frontend)
    : registry_(registry), start_form_manager_(start_form_manager), frontend_(frontend) {}

CReverseEngineeringDlg::Position CReverseEngineeringDlg::Place(int screen_width, int screen_height,
                                                               int dialog_width,
                                                               int dialog_height) {
  return {(screen_width - dialog_width) / 2, (screen_height - dialog_height) / 3};
}

void CReverseEngineeringDlg::OnInitDialog() {
  const FORMMGROBJDESC* start = registry_.FindObjDesc(start_form_manager_);
  std::uint16_t version = start ? start->version : 0;
  if (!FillForms("", version)) return;
  CompleteSmartRE();
}

bool CReverseEngineeringDlg::FillForms(std::string_view name, std::uint16_t version) {
  forms_.clear();
  selected_form_.reset();
  ClearControls();
  for (const auto& [key, form] : registry_.GetFormMap()) {
    if (form->GetVersion() != version) continue;
    if (const std::string* form_name = form->ReadFormName()) {
      forms_.push_back({*form_name, form.get(), false});
    }
  }
  SortByName(forms_);
  if (forms_.empty()) return false;
  selected_form_ = ChooseForm(name);
  FormEntry& entry = forms_[*selected_form_];
  if (!ReadControls(entry)) return false;
  ListControls(*entry.form);
  return true;
}

std::size_t CReverseEngineeringDlg::ChooseForm(std::string_view name) const {
  if (name.empty()) return 0;
  auto found = std::ranges::find_if(
      forms_, [name](const FormEntry& entry) { return StartsWithIgnoringCase(entry.name, name); });
  return found == forms_.end() ? 0 : static_cast<std::size_t>(found - forms_.begin());
}

bool CReverseEngineeringDlg::ReadControls(FormEntry& entry) {
  if (entry.controls_read) return true;
  if (entry.form->ReadFormCtrls() != kOk) return false;
  entry.controls_read = true;
  return true;
}

void CReverseEngineeringDlg::OnFormSelected(std::size_t index) {
  if (index >= forms_.size()) return;
  selected_form_ = index;
  ClearControls();
  FormEntry& entry = forms_[index];
  if (frontend_) frontend_->PutBehindDialog(entry.form->GetFormHandle());
  if (!ReadControls(entry)) return;
  ListControls(*entry.form);
}

void CReverseEngineeringDlg::ListControls(CFormDesc& form) {
  ClearControls();
  for (auto* map : {&form.GetCtrlMap(), &form.GetDataCtrlMap()}) {
    for (auto& [handle, control] : *map)
      controls_.push_back({control->GetCtrlName(), control.get()});
  }
  SortByName(controls_);
  ShowControl(0);
}

void CReverseEngineeringDlg::ClearControls() {
  controls_.clear();
  selected_control_.reset();
  ClearControlDetails();
}

void CReverseEngineeringDlg::ClearControlDetails() {
  properties_.clear();
  data_fields_.clear();
  value_.clear();
  selected_property_.reset();
}

void CReverseEngineeringDlg::OnControlSelected(std::size_t index) {
  ShowControl(index);
}

void CReverseEngineeringDlg::ShowControl(std::size_t index) {
  if (index >= controls_.size()) return;
  selected_control_ = index;
  ClearControlDetails();
  const CCtrlDesc& control = *controls_[index].control;
  const CNxPropertySection& section = control.GetPropertySection();
  // Properties are numbered from 3 in the order they were added; gaps are passed over.
  auto count = static_cast<std::int32_t>(section.GetPropertyList().size());
  for (std::int32_t i = 0; i < count; ++i) {
    if (const CNxProperty* property = section.GetProperty(i + 3)) {
      properties_.push_back({property->GetName(), property});
    }
  }
  SortByName(properties_);
  OnPropertySelected(0);
  if (const CDataSource* source = control.GetDataSource()) {
    for (std::int32_t i = 0; i < source->GetCount(); ++i) {
      std::string field, table;
      if (source->GetIndexedItems(static_cast<std::uint16_t>(i), field, table)) {
        data_fields_.push_back(field + "\t" + table);
      }
    }
    std::ranges::stable_sort(data_fields_, CaseInsensitiveLess{});
  }
}

void CReverseEngineeringDlg::OnPropertySelected(std::size_t index) {
  if (index >= properties_.size()) return;
  selected_property_ = index;
  value_ = properties_[index].property->GetInfo().text;
}

Status CReverseEngineeringDlg::OnGenerate() {
  if (!selected_form_) return kOk;
  CFormDesc& form = *forms_[*selected_form_].form;
  // Writing a control clears its draw flag; every Generate builds all the controls read.
  for (auto& [handle, control] : form.GetCtrlMap()) control->SetDrawFlag(1);
  return form.GenerateForm(0, 1);
}

void CReverseEngineeringDlg::OnSmartRE() {
  if (forms_.empty()) {
    Close(1);
    return;
  }
  CDataReader* reader = registry_.FindDataReader(Registry::CurrentProcess());
  if (!reader) return;
  reader->SetPending(true);
  reader->SetFormCount(0);
  for (const FormEntry& entry : forms_) {
    reader->MakeDataDesc(entry.name, entry.form->GetVersion());
    reader->SetFormCount(static_cast<std::uint16_t>(reader->GetFormCount() + 1));
  }
  reader->SetCollectedCount(0);
  CClntDesc* client = reader->GetClient();
  if (client && client->ops && client->ops->CollectDataSources) {
    client->ops->CollectDataSources(client);
  }
  Close(1);
}

void CReverseEngineeringDlg::CompleteSmartRE() {
  CDataReader* reader = registry_.FindDataReader(Registry::CurrentProcess());
  if (!reader || !reader->IsPending()) return;
  bool attached = false;
  for (CDataDesc* description : reader->GetDataObjs(false)) {
    attached = AttachDataSources(*description) || attached;
    std::string name = description->GetName();
    reader->RemoveDataDesc(name);
  }
  reader->SetPending(false);
  // The control on show may have just received its data fields.
  if (attached && selected_control_) ShowControl(*selected_control_);
}

bool CReverseEngineeringDlg::AttachDataSources(CDataDesc& description) {
  CFormDesc* form = registry_.FindFormOfObj(description.GetFormMgrObj());
  if (!form) return false;
  bool attached = false;
  for (auto& [handle, control] : form->GetDataCtrlMap()) {
    if (auto source = description.RemoveDataSource(control->GetCtrlName())) {
      control->SetDataSource(std::move(source));
      attached = true;
    }
  }
  return attached;
}

void CReverseEngineeringDlg::OnRefresh(CFormDesc* form) {
  if (!form) return;
  std::string name = form->ReadFormName() ? form->GetFormName() : std::string();
  // With no form to list the dialog stays as it was.
  (void)FillForms(name, form->GetVersion());
  if (frontend_) frontend_->ListsChanged(*this);
}

// An address that is no running form of the registry is ignored.
void CReverseEngineeringDlg::OnRefresh(const void* form_address) {
  for (const auto& [key, form] : registry_.GetFormMap()) {
    if (form.get() == form_address) return OnRefresh(form.get());
  }
}

namespace {

template <typename Entries>
std::vector<std::string> NamesOf(const Entries& entries) {
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (const auto& entry : entries) names.push_back(entry.name);
  return names;
}

}  // namespace

CReverseEngineeringDlg::Lists CReverseEngineeringDlg::Shown() const {
  return {NamesOf(forms_), NamesOf(controls_), NamesOf(properties_), data_fields_,
          value_,          selected_form_,     selected_control_,    selected_property_};
}

void CReverseEngineeringDlg::OnFormRemoved(CFormDesc* form) {
  auto found = std::ranges::find(forms_, form, &FormEntry::form);
  if (found == forms_.end()) return;
  auto index = static_cast<std::size_t>(found - forms_.begin());
  forms_.erase(found);
  if (selected_form_ == index) {
    selected_form_.reset();
    ClearControls();
  } else if (selected_form_ && *selected_form_ > index) {
    selected_form_ = *selected_form_ - 1;
  }
  if (frontend_) frontend_->ListsChanged(*this);
}

}  // namespace tavik
