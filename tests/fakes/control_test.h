// A fixture for tests of controls: an ORDERS entity loaded from attribute texts, a data
// control to bind to, and the visualizer run that makes an attribute's controls.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/data_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "fakes/event_text.h"
#include "fakes/model_form.h"
#include "fakes/model_text.h"
#include "fakes/scoped_fakes.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"
#include "visualizers/visualizer.h"

namespace tavik::testing {

class ControlTest : public ::testing::Test {
 protected:
  // Where the controls of a test bind: the entity's own data control ("dsORDERS", made on
  // load), or the fixture's separate one, "datORDERS".
  enum class DataSource { kEntity, kSeparate };

  explicit ControlTest(DataSource source, std::uint16_t text_width = 1000) : source_(source) {
    fakes_.text_measurer.extent = {text_width, 200};
  }

  // Loads ORDERS with the attributes and makes the data control the fixture binds to.
  void Load(const std::vector<std::string>& attributes, std::uint16_t version = 3) {
    model_ = std::make_unique<ModelForm>(
        ModelText(EntityText(1, "ORDERS", "FIELDS", JsonList(attributes))), version);
    ASSERT_EQ(model_->read_status(), kOk);
    entity_ = &model_->Entity(0);
    if (source_ == DataSource::kEntity) {
      ASSERT_EQ(entity_->CreateDataControl(), kOk);
    } else {
      ASSERT_EQ(data_.Init(version, &form()), kOk);
      data_.SetCtrlName("datORDERS");
    }
  }

  CFormDesc& form() { return model_->form(); }
  CAttribDesc& AttributeAt(std::size_t index) {
    return static_cast<CAttribDesc&>(*entity_->GetAttribList().at(index));
  }

  // The steps of a visualizer run, in their order.
  struct Steps {
    std::optional<std::int32_t> edit_style;  // given to the attribute first
    bool validation_list = true;
    Status created = kOk;  // what making the controls should answer
    bool binding = false;
  };

  // Runs a visualizer of the class on the attribute, gives it to the attribute and hands
  // it back.
  template <typename Visualizer>
  Visualizer* Visualize(std::size_t index, const Steps& steps) {
    CAttribDesc& attribute = AttributeAt(index);
    if (steps.edit_style) attribute.SetEditStyle(*steps.edit_style);
    auto visualizer = std::make_unique<Visualizer>();
    Visualizer* result = visualizer.get();
    EXPECT_EQ(visualizer->Init(&attribute), kOk);
    if (steps.validation_list) {
      EXPECT_EQ(visualizer->DetermineValidationList(), kOk);
    }
    EXPECT_EQ(visualizer->CreateControls(), steps.created);
    if (steps.binding) {
      EXPECT_EQ(visualizer->DoBinding(), kOk);
    }
    attribute.SetVisualizer(std::move(visualizer));
    return result;
  }

  // The last control of the visualizer's group that is_wanted accepts; every item of the
  // group must be a control.
  template <typename Accept>
  static CCtrlDesc* LastControl(const CVisualizer& visualizer, Accept is_wanted) {
    CCtrlDesc* found = nullptr;
    for (const auto& item : visualizer.GetCtrlGroup()->GetItems()) {
      CCtrlDesc* control = static_cast<CCtrlPosItem&>(*item).GetCtrl();
      if (is_wanted(control)) found = control;
    }
    return found;
  }
  // The last control of the class in the visualizer's group.
  template <typename Control>
  static Control* LastControl(const CVisualizer& visualizer) {
    return static_cast<Control*>(LastControl(
        visualizer, [](CCtrlDesc* control) { return dynamic_cast<Control*>(control) != nullptr; }));
  }

  static std::string Piece(CEventDesc* event, std::int32_t sub_event, int part = 1) {
    return testing::Piece(event, sub_event, part);
  }
  static std::string Property(const CCtrlDesc& control, std::string_view name) {
    return testing::Property(control, name);
  }
  // The texts of the named properties, "|" between, "(none)" for an absent one.
  static std::string Properties(const CCtrlDesc& control,
                                std::initializer_list<std::string_view> names) {
    std::string texts;
    for (std::string_view name : names)
      texts += (texts.empty() ? "" : "|") + Property(control, name);
    return texts;
  }

  ScopedFakes fakes_;
  std::unique_ptr<ModelForm> model_;
  CEntityDesc* entity_ = nullptr;
  CDataCtrl data_;

 private:
  DataSource source_;
};

}  // namespace tavik::testing
