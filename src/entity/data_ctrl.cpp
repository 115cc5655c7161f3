// The data control.
#include "entity/data_ctrl.h"
#include "form/vb_fragment.h"

namespace tavik {

Status CDataCtrl::Init(std::uint16_t version, CFormDesc* form) {
  if (version == 0) return 1;
  if (!form) return 2;
  SetKindFlag(0);
  IsFocusCtrl(0);
  return CCtrlDesc::Init("Data", version, form, nullptr);
}

std::string CDataCtrl::FieldExpression(std::string_view data_ctrl, std::string_view field) {
  return std::string(data_ctrl) + ".Recordset.Fields(\"" + VbStringText(field) + "\")";
}

CodeText CDataCtrl::ReadFieldCode(std::string_view field) const {
  const std::string value = FieldExpression(field);
  CodeText code;
  code.Line(2, "If IsNull(" + value + ") Then")
      .Line(3, "zTmpField = \"\"")
      .Line(2, "Else")
      .Line(3, "zTmpField = " + value)
      .Line(2, "End If");
  return code;
}

}  // namespace tavik
