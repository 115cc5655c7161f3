// Visualizer allocation: the edit style and the client's version choose the class.
#include "visualizers/visualizer_allocators.h"

#include <memory>

#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "visualizers/grid_visualizer.h"
#include "visualizers/text_visualizer.h"

namespace tavik {

namespace {

constexpr std::uint32_t kHighestEditStyle = 10;
constexpr std::int32_t kGridEditStyle = 3;

template <typename Visualizer>
Status Attach(void* object) {
  auto* attribute = static_cast<CAttribDesc*>(object);
  auto visualizer = std::make_unique<Visualizer>();
  Status status = visualizer->Init(attribute);
  attribute->SetVisualizer(std::move(visualizer));
  return status;
}

// An entity is shown as a grid only when its display style is exactly "GRID".
Status CheckGridStyle(void* object, bool& make_grid) {
  auto style = static_cast<CEntityDesc*>(object)->GetProperty("DISPLAY_STYLE");
  if (!style || style->Text().empty()) return kMissingProperty;
  make_grid = style->Text() == "GRID";
  return kOk;
}

// Edit styles whose visualizers are not built yet leave the attribute without one.
Status Allocate(std::int32_t edit_style, void* object, bool /*version4*/) {
  if (static_cast<std::uint32_t>(edit_style) > kHighestEditStyle) return kOk;
  if (!object) return kNullArgument;
  switch (edit_style) {
    case kGridEditStyle: {
      bool make_grid = false;
      return CheckGridStyle(object, make_grid);
    }
    case 4:
    case 6: return Attach<CTextVisualizer>(object);
    default: return kOk;
  }
}

}  // namespace

std::uint32_t AllocateVB3Visualizer(std::int32_t edit_style, void* object) {
  return Allocate(edit_style, object, false);
}

std::uint32_t AllocateVB4Visualizer(std::int32_t edit_style, void* object) {
  if (edit_style == 4 || edit_style == 6) {
    return object ? Attach<CText4Visualizer>(object) : kNullArgument;
  }
  return Allocate(edit_style, object, true);
}

}  // namespace tavik
