// The data control that backs one entity.
#pragma once

#include <string>
#include <string_view>

#include "controls/ctrl_desc.h"

namespace tavik {

class CDataCtrl : public CCtrlDesc {
 public:
  // 1 for version 0, 2 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form);

  // The field of the current record as generated code names it.
  std::string FieldExpression(std::string_view field) const {
    return FieldExpression(GetCtrlName(), field);
  }
  // The same for a data control known only by name (one not made yet).
  static std::string FieldExpression(std::string_view data_ctrl, std::string_view field);
  // Code that puts the field's value, or an empty text for a null, into zTmpField.
  std::string ReadFieldCode(std::string_view field) const;
  // The same, appended to code.
  void AppendReadFieldCode(std::string& code, std::string_view field) const;

  // Code for the "Validate" event that keeps the record unsaved, with a beep and the message,
  // while the condition holds; the entity's "_BadData" label takes it from there.
  static std::string RefusalCode(std::string_view condition, std::string_view message,
                                 std::string_view entity);
  // The same, appended to code, for the condition of a subject and its test (a control's
  // name and ".Text = """), which are not joined first.
  static void AppendRefusal(std::string& code, std::string_view subject, std::string_view test,
                            std::string_view message, std::string_view entity);
  // The messages of a required field left empty and of a value its list does not hold.
  static std::string RequiredMessage(std::string_view field);
  static std::string NotInListMessage(std::string_view field);
};

}  // namespace tavik
