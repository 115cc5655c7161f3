// Reading property lists through the BR_ functions.
#include "model/property_list_reader.h"

#include "tavikfw/brenlo.h"

namespace tavik {

bool PropertyListReader::First() {
  return BR_GetFirstProperty(list_, &ignored_, &group_, &name_, &type_code_, &number_, &text_) == 0;
}

bool PropertyListReader::Next() {
  return BR_GetNextProperty(list_, &ignored_, &group_, &name_, &type_code_, &number_, &text_) == 0;
}

ModelProperty PropertyListReader::Current() {
  if (group_ != measured_group_) {
    measured_group_ = group_;
    group_view_ = group_ ? group_ : "";
  }
  const bool is_string = type_code_ && type_code_[0] == 'S';
  return {group_view_, name_ ? name_ : "",
          is_string ? Value::String(text_ ? text_ : "") : Value::Long(number_)};
}

}  // namespace tavik
