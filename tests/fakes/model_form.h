// A form description read from a model text, as a run reads it, for tests of generation.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "entity/entity_desc.h"
#include "form/form_desc.h"
#include "tavikfw/brenlo.h"
#include "tavikfw/client.h"
#include "visualizers/text_visualizer.h"
#include "visualizers/visualizer_allocators.h"

namespace tavik::testing {

class ModelForm {
 public:
  // The allocator, when given, replaces the one the library gives a client of that version.
  explicit ModelForm(std::string_view model, std::uint16_t version = 4,
                     TVK_VISUALIZER_ALLOCATOR allocator = nullptr) {
    client_.version = version;
    client_.can_write_to_file = 1;
    client_.allocator = version == 3 ? AllocateVB3Visualizer : AllocateVB4Visualizer;
    if (allocator) client_.allocator = allocator;
    EXPECT_EQ(BR_LoadModelText(model.data(), model.size(), &host_value_), BR_LOAD_OK)
        << BR_LastLoadError();
    form_ = std::make_unique<CFormDesc>();
    EXPECT_EQ(form_->Init(0, nullptr, nullptr, &client_, version), kOk);
    (void)form_->SetFormName("Test");
    EXPECT_EQ(BR_Start(host_value_, version == 3 ? 0 : 1), 1);
    read_status_ = form_->ReadRelations();
    if (read_status_ == kOk) read_status_ = form_->ReadEntities();
    BR_Done();
    (void)form_->BuildParentChildLists();
  }
  ~ModelForm() { BR_UnloadModel(host_value_); }
  ModelForm(const ModelForm&) = delete;
  ModelForm& operator=(const ModelForm&) = delete;

  CFormDesc& form() { return *form_; }
  // The client the form was made for; tests may give it operations.
  CClntDesc& client() { return client_; }
  Status read_status() const { return read_status_; }
  // The entity of that position in the model's order.
  CEntityDesc& Entity(std::size_t index) {
    auto record = form_->GetEntityMap().begin();
    std::advance(record, static_cast<std::ptrdiff_t>(index));
    return static_cast<CEntityDesc&>(*record->entity);
  }
  // The entity of that unique name; a failure when there is none.
  CEntityDesc& EntityNamed(std::string_view name) {
    for (auto& record : form_->GetEntityMap()) {
      if (record.entity->GetEntityName() == name) return static_cast<CEntityDesc&>(*record.entity);
    }
    ADD_FAILURE() << "no entity " << name;
    return Entity(0);
  }
  // The control of that name, or none.
  CCtrlDesc* Control(std::string_view name) {
    for (auto& [handle, control] : form_->GetCtrlMap()) {
      if (control->GetCtrlName() == name) return control.get();
    }
    return nullptr;
  }
  // What entity generation leaves for the code between entities: each entity's data control,
  // its buttons (not for the entity named no_buttons) and a text visualizer per attribute.
  void PrepareEntities(std::string_view no_buttons = "") {
    for (auto& record : form_->GetEntityMap()) {
      auto& entity = static_cast<CEntityDesc&>(*record.entity);
      ASSERT_EQ(entity.CreateDataControl(), kOk);
      if (entity.GetEntityName() != no_buttons) {
        ASSERT_EQ(entity.AddDataNavigationButtons(), kOk);
      }
      for (const auto& attribute : entity.GetAttribList()) {
        auto& desc = static_cast<CAttribDesc&>(*attribute);
        auto visualizer = std::make_unique<CTextVisualizer>();
        ASSERT_EQ(visualizer->Init(&desc), kOk);
        desc.SetVisualizer(std::move(visualizer));
      }
    }
  }
  // Timer, entities and the code between them, as the run makes them.
  Status Generate() {
    if (Status status = form_->AddTimer(form_->CreateTimer())) return status;
    if (Status status = form_->GenerateEntities()) return status;
    return form_->DoCrossEntityProcessing();
  }

 private:
  CClntDesc client_{};
  std::uint32_t host_value_ = 0;
  std::unique_ptr<CFormDesc> form_;
  Status read_status_ = kOk;
};

}  // namespace tavik::testing
