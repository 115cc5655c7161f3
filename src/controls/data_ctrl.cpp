// The data control.
#include "controls/data_ctrl.h"
#include "form/vb_fragment.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 1, kNoForm = 2 };
}  // namespace

Status CDataCtrl::Init(std::uint16_t version, FormContext* form) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetKindFlag(0);
  IsFocusCtrl(0);
  return CCtrlDesc::Init("Data", version, form, nullptr);
}

std::string CDataCtrl::FieldExpression(std::string_view data_ctrl, std::string_view field) {
  return std::string(data_ctrl) + ".Recordset.Fields(\"" + VbStringText(field) + "\")";
}

std::string CDataCtrl::ReadFieldCode(std::string_view field) const {
  std::string code;
  AppendReadFieldCode(code, field);
  return code;
}

void CDataCtrl::AppendReadFieldCode(std::string& code, std::string_view field) const {
  AppendVbFragment(code, R"(
            If IsNull($value$) Then
                zTmpField = ""
            Else
                zTmpField = $value$
            End If
    )",
                   {{"value", FieldExpression(field)}});
}

std::string CDataCtrl::RefusalCode(std::string_view condition, std::string_view message,
                                   std::string_view entity) {
  std::string code;
  AppendRefusal(code, condition, {}, message, entity);
  return code;
}

void CDataCtrl::AppendRefusal(std::string& code, std::string_view subject, std::string_view test,
                              std::string_view message, std::string_view entity) {
  AppendVbFragment(code, R"(
            If $subject$$test$ Then
                Beep
                MsgBox("$message$")
                GoTo $e$_BadData
            End If
    )",
                   {{"subject", subject}, {"test", test}, {"message", message}, {"e", entity}});
}

std::string CDataCtrl::RequiredMessage(std::string_view field) {
  return VbStringText(field) + " is a required field; record not saved!";
}

std::string CDataCtrl::NotInListMessage(std::string_view field) {
  return "Not a valid value for field " + VbStringText(field) + "; record not saved!";
}

}  // namespace tavik
