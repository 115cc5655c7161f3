// The hidden data control over a looked-up table, the row source of a data combo.
#pragma once

#include <string_view>

#include "controls/ctrl_desc.h"

namespace tavik {

struct LookupSource;

class CLookupDataCtrl : public CCtrlDesc {
 public:
  // Named name, reading the source's rows read-only from the form's database; its
  // connection is the form's, set when the form loads. The data combo list_name shows the
  // rows, read again when the form is activated. 1 for version 0, 2 for no form, 3 without
  // the form's "Load" event, 4 without its "Activate" event.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, std::string_view name,
                            std::string_view list_name, const LookupSource& source);
  // Hidden, so it takes no room: it stands at the origin of its group.
  [[nodiscard]] Status DoWidthHeight() override { return kOk; }
  [[nodiscard]] Status DoLayout(CCtrlPosItem& item, CCtrlGroup& group) override;

 private:
  [[nodiscard]] static Status AddActivateRefill(FormContext& form, std::string_view name,
                                                std::string_view list_name);
};

}  // namespace tavik
