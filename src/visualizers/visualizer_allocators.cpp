// Visualizer allocation: the edit style and the client's version choose the class.
#include "visualizers/visualizer_allocators.h"

#include <memory>

#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "visualizers/check_box_visualizer.h"
#include "visualizers/combo_box_visualizer.h"
#include "visualizers/db_grid_visualizer.h"
#include "visualizers/far_point_grid_visualizer.h"
#include "visualizers/gauge_visualizer.h"
#include "visualizers/image_visualizer.h"
#include "visualizers/list_box_visualizer.h"
#include "visualizers/lookup_visualizer.h"
#include "visualizers/mask_ed_visualizer.h"
#include "visualizers/option_button_visualizer.h"
#include "visualizers/pict_visualizer.h"
#include "visualizers/text_visualizer.h"

namespace tavik {

namespace {

template <typename Visualizer>
Status Attach(void* object) {
  auto* attribute = static_cast<CAttribDesc*>(object);
  auto visualizer = std::make_unique<Visualizer>();
  Status status = visualizer->Init(attribute);
  attribute->SetVisualizer(std::move(visualizer));
  return status;
}

// An entity is shown as a grid only when its display style is exactly "GRID".
template <typename Grid>
Status AttachGrid(void* object) {
  auto* entity = static_cast<CEntityDesc*>(object);
  auto style = entity->GetProperty("DISPLAY_STYLE");
  if (!HasText(style)) return kMissingProperty;
  if (style->Text() != "GRID") return kOk;
  auto grid = std::make_unique<Grid>();
  Status status = grid->Init(entity);
  entity->SetGridVisualizer(std::move(grid));
  return status;
}

// One table serves both versions: a version-4 client gets the "4" class where there is one.
template <bool kVersion4>
Status Allocate(std::int32_t edit_style, void* object) {
  if (static_cast<std::uint32_t>(edit_style) > static_cast<std::uint32_t>(EditStyle::kHighest)) {
    return kOk;
  }
  if (!object) return kNullArgument;
  auto pick = [&]<typename Version3, typename Version4>() {
    return kVersion4 ? Attach<Version4>(object) : Attach<Version3>(object);
  };
  switch (static_cast<EditStyle>(edit_style)) {
    case EditStyle::kCheckBox:
      return pick.template operator()<CCheckBoxVisualizer, CCheckBox4Visualizer>();
    case EditStyle::kOptionButtons:
      return pick.template operator()<COptionButtonVisualizer, COptionButton4Visualizer>();
    case EditStyle::kComboBox:
      return pick.template operator()<CComboBoxVisualizer, CComboBox4Visualizer>();
    case EditStyle::kGrid:
      return kVersion4 ? AttachGrid<CDBGridVisualizer>(object)
                       : AttachGrid<CFarPointGridVisualizer>(object);
    case EditStyle::kMaskedEdit:
      return pick.template operator()<CMaskEdVisualizer, CMaskEd4Visualizer>();
    case EditStyle::kListBox:
      return pick.template operator()<CListBoxVisualizer, CListBox4Visualizer>();
    case EditStyle::kPicture:
      return Attach<CPictVisualizer>(object);
    case EditStyle::kGauge:
      return pick.template operator()<CGaugeVisualizer, CGauge4Visualizer>();
    case EditStyle::kImage:
      return Attach<CImageVisualizer>(object);
    case EditStyle::kLookup:
      return Attach<CLookupVisualizer>(object);
    default:
      return pick
          .template operator()<CTextVisualizer, CText4Visualizer>();  // text, and multi-line text
  }
}

}  // namespace

std::uint32_t AllocateVB3Visualizer(std::int32_t edit_style, void* object) {
  return Allocate<false>(edit_style, object);
}

std::uint32_t AllocateVB4Visualizer(std::int32_t edit_style, void* object) {
  return Allocate<true>(edit_style, object);
}

}  // namespace tavik
