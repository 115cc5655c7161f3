// The grid control base: one control showing a whole entity bound to its data control.
#pragma once

#include <cstdint>

#include "controls/ctrl_desc.h"

namespace tavik {

class CGridCtrl : public CCtrlDesc {
 public:
  // 1440 twips a column and 750 more, at most 8470; 1250 high.
  [[nodiscard]] Status DoWidthHeight() override;
  // "DataSource": the grid shows the data control's records, not one field.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;

  std::int32_t GetNumCols() const { return column_count_; }
  void SetNumCols(std::int32_t count) { column_count_ = count; }
  // The column the next attribute goes into, counted from 1.
  std::int32_t GetCurrColNum() const { return current_column_; }
  void SetCurrColNum(std::int32_t column) { current_column_ = column; }

 protected:
  // 4 for version 0, 5 for no form; the grid takes the focus and starts at column 1.
  [[nodiscard]] Status Init(const char* class_name, std::uint16_t version, FormContext* form,
                            CtrlMaker* maker);

 private:
  std::int32_t column_count_ = 0;
  std::int32_t current_column_ = 0;
};

}  // namespace tavik
