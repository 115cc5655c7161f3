// An attribute as it is generated: its query name and the visualizer that shows it.
#pragma once

#include <memory>

#include "model/attribute.h"
#include "visualizers/visualizer.h"

namespace tavik {

class CEntityDesc;

class CAttribDesc : public CAttribute {
 public:
  // Adds PHYSICAL_NAME again and SQLQUERY_NAME; an attribute without FORM_ATTRIB_INFO
  // properties fails.
  [[nodiscard]] Status SetAttribProps() override;
  void AppendSqlName(std::string& text) const override;
  // Asks the client's allocator for the visualizer of the attribute's edit style.
  [[nodiscard]] Status CreateVisualizer();

  CVisualizer* GetVisualizer() const { return visualizer_.get(); }
  void SetVisualizer(std::unique_ptr<CVisualizer> visualizer) {
    visualizer_ = std::move(visualizer);
  }
  CEntityDesc* GetEntityDesc() const;

 private:
  std::unique_ptr<CVisualizer> visualizer_;
};

}  // namespace tavik
