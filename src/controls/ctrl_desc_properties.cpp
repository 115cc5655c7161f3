// Control descriptors: translation of the attribute's model properties, and sizing.
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "controls/color_names.h"
#include "controls/ctrl_desc.h"
#include "controls/option_handlers.h"
#include "controls/text_extent.h"
#include "model/attribute.h"
#include "model/property_names.h"

namespace tavik {

namespace {

bool IsFlag(const std::optional<Value>& value, char flag) {
  if (!value) return false;
  if (value->IsString()) return value->AsString().size() == 1 && value->AsString()[0] == flag;
  return value->AsInteger() == static_cast<unsigned char>(flag);
}

Status NoEffect(CCtrlDesc&, const std::optional<Value>&) {
  return kOk;
}

Status HandleVisible(CCtrlDesc& control, const std::optional<Value>& value) {
  if (IsFlag(value, 'N')) return control.AddProperty(Value::Short(0), "Visible");
  return kOk;
}

Status HandleHelpId(CCtrlDesc& control, const std::optional<Value>& value) {
  return value ? control.AddProperty(*value, "HelpContextID") : kOk;
}

Status HandleTag(CCtrlDesc& control, const std::optional<Value>& value) {
  return value ? control.AddProperty(*value, "Tag") : kOk;
}

Status HandleReadOnly(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsFlag(value, 'Y') && !IsFlag(value, 'y')) return kOk;
  control.IsFocusCtrl(0);
  return control.AddProperty(Value::Short(0), "Enabled");
}

Status HandleFontEffect(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value || !value->IsString()) return kOk;
  const std::string_view effect = value->AsString();
  bool bold = effect == "Bold" || effect == "Bold Italic";
  bool italic = effect == "Italic" || effect == "Bold Italic";
  if (bold) control.AddProperty(Value::Short(-1), "FontBold");
  if (italic) control.AddProperty(Value::Short(-1), "FontItalic");
  return kOk;
}

Status HandleFontName(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value || !value->IsString()) return kOk;
  return control.AddProperty(*value, "FontName");
}

Status HandleFontSize(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value || !value->IsString()) return kOk;
  float size = std::strtof(value->AsCString(), nullptr);
  return control.AddProperty(Value::Single(size), "FontSize");
}

// The attribute's group properties the sizing and colours read on every control.
constinit SharedPropertyName kMousePointer{"ES_PTR"};
constinit SharedPropertyName kFontName{"FNM"};
constinit SharedPropertyName kFontSize{"FSZ"};
constinit SharedPropertyName kStyleWidth{"ES_WDT"};
constinit SharedPropertyName kStyleHeight{"ES_HGT"};
constinit SharedPropertyName kBackColorCode{"CD_BKC"};
constinit SharedPropertyName kTextColorCode{"CD_TXC"};
// An option the attribute does not give, as the option tables' handlers are handed it.
const std::optional<Value> kNotGiven;

// The column's type, which sizes a control that has no sample of its own.
constinit SharedPropertyName kColumnType{"CD_TYP"};

float FloatOf(const Value& value) {
  if (value.IsString()) return std::strtof(value.AsCString(), nullptr);
  return value.AsSingle();
}

bool HasValue(const Value* value) {
  return value && !(value->IsString() && value->AsString().empty());
}

// A column is measured as so many x's, at most kMaxWidthChars of them; the sample is cut
// from one constant instead of being made for each control.
constexpr int kMaxWidthChars = 40;
constexpr std::string_view kCharWidthSample = "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx";
static_assert(kCharWidthSample.size() == kMaxWidthChars);

// Whether the word of capital letters occurs in the text, in either case.
bool ContainsAsciiWord(std::string_view text, std::string_view upper_word) {
  const auto same = [](char c, char upper) {
    return c == upper || c == static_cast<char>(upper + ('a' - 'A'));
  };
  for (std::size_t at = 0; at + upper_word.size() <= text.size(); ++at) {
    std::size_t matched = 0;
    while (matched < upper_word.size() && same(text[at + matched], upper_word[matched])) {
      ++matched;
    }
    if (matched == upper_word.size()) return true;
  }
  return false;
}

}  // namespace

const COLPROPDESC col_prop_lookup[] = {
    {25, "CD_VSB", HandleVisible},    {26, "CD_PMP", NoEffect},
    {27, "CD_HLP", HandleHelpId},     {28, "CD_TAG", HandleTag},
    {12, "CD_PBM", NoEffect},         {19, "CD_RO", HandleReadOnly},
    {15, "CD_FEH", HandleFontEffect}, {16, "CD_FNM", HandleFontName},
    {17, "CD_FSZ", HandleFontSize},   {-1, nullptr, nullptr},
};

std::optional<Value> CCtrlDesc::GetColProp(std::string_view name) const {
  CAttribute* attribute = GetAttribute();
  return attribute ? attribute->GetTvkProperty(format_ids::kColProp, name) : std::nullopt;
}

std::optional<Value> CCtrlDesc::GetEditStyleProp(std::string_view name) const {
  CAttribute* attribute = GetAttribute();
  return attribute ? attribute->GetTvkProperty(format_ids::kEditStyle, name) : std::nullopt;
}

const Value* CCtrlDesc::FindColProp(const SharedPropertyName& name) const {
  return FindGroupProp(GetAttribute(), format_ids::kColProp, name);
}

const Value* CCtrlDesc::FindEditStyleProp(const SharedPropertyName& name) const {
  return FindGroupProp(GetAttribute(), format_ids::kEditStyle, name);
}

const Value* CCtrlDesc::FindGroupProp(CAttribute* attribute, const FormatId& group,
                                      const SharedPropertyName& name) {
  return FindInGroup(attribute ? attribute->GetTvkProps().GetSection(group) : nullptr, name);
}

const Value* CCtrlDesc::FindInGroup(CNxPropertySection* group, const SharedPropertyName& name) {
  const CNxProperty* property = group ? group->GetPropertyOfSharedName(name.Shared()) : nullptr;
  // An empty value is one a variant copy cannot carry, which GetTvkProperty answers as none.
  return property && !property->GetValue().IsEmpty() ? &property->GetValue() : nullptr;
}

CCtrlDesc::AttributeGroups CCtrlDesc::FindAttributeGroups() const {
  CAttribute* attribute = GetAttribute();
  if (!attribute) return {};
  CAttributeGroups& groups = attribute->GetTvkProps();
  return {groups.GetSection(format_ids::kColProp), groups.GetSection(format_ids::kEditStyle)};
}

const ESDESC* CCtrlDesc::FindEditStyle(std::string_view name) const {
  if (!style_table_) return nullptr;
  for (const ESDESC* row = style_table_; row->id >= 0; ++row) {
    if (name == row->name) return row;
  }
  return nullptr;
}

const std::string& ESDESC::SharedName() const {
  const std::string* shared = shared_name.load(std::memory_order_acquire);
  if (shared == nullptr) {
    shared = &PropertyNames::Intern(name);
    shared_name.store(shared, std::memory_order_release);
  }
  return *shared;
}

// Each row's name is looked up by its shared copy: a table is applied to every control of
// the form, whose attribute gives few of its options, so an option not given is handed over
// as one null made once.
void CCtrlDesc::ApplyTable(const ESDESC* table, CNxPropertySection* group) {
  if (!table) return;
  for (const ESDESC* row = table; row->id >= 0; ++row) {
    const CNxProperty* property =
        group ? group->GetPropertyOfSharedName(row->SharedName()) : nullptr;
    // A handler fails only as AddProperty does, without the property section Init made.
    if (!row->handler) continue;
    if (property) {
      (void)row->handler(*this, property->ToVariant());
    } else {
      (void)row->handler(*this, kNotGiven);
    }
  }
}

void CCtrlDesc::AddColorProperty(const Value* value, const SharedPropertyName& property,
                                 std::string_view default_color) {
  if (!value || !value->IsString()) {
    AddProperty(Value::Long(ColorFromName(default_color)), property);
    return;
  }
  std::int32_t color = ColorFromName(value->AsString());
  if (color != kNoColor) AddProperty(Value::Long(color), property);
}

// The groups are found once for the sizing and the tables: the sizing only reads them.
Status CCtrlDesc::HandleProperties() {
  const AttributeGroups groups = FindAttributeGroups();
  sizing_groups_ = &groups;
  (void)DoWidthHeight();  // fails only as AddProperty does, which Init rules out
  sizing_groups_ = nullptr;
  if (const Value* pointer = FindInGroup(groups.edit_style, kMousePointer))
    AddProperty(*pointer, "MousePointer");
  ApplyTable(col_prop_table_, groups.control);
  ApplyTable(style_table_, groups.edit_style);
  if (colors_mask_ & kWriteBackColor)
    AddColorProperty(FindInGroup(groups.control, kBackColorCode), ctrl_props::kBackColor, "Silver");
  if (colors_mask_ & kWriteForeColor)
    AddColorProperty(FindInGroup(groups.control, kTextColorCode), ctrl_props::kForeColor, "Black");
  return kOk;
}

Status CCtrlDesc::DoWidthHeight(int use_style_size) {
  auto sample = GetWidthSample();
  if (sample) return DoWidthHeightOf(*sample, use_style_size);
  const auto count = static_cast<std::size_t>(std::max(CalcCharWidth(), 0));
  if (count <= kCharWidthSample.size()) {
    return DoWidthHeightOf(kCharWidthSample.substr(0, count), use_style_size);
  }
  return DoWidthHeightOf(std::string(count, 'x'), use_style_size);
}

Status CCtrlDesc::DoWidthHeightOf(std::string_view sample, int use_style_size) {
  const AttributeGroups groups = sizing_groups_ ? *sizing_groups_ : FindAttributeGroups();
  const Value* font_value = FindInGroup(groups.control, kFontName);
  std::string font_text;  // a font named by a number is measured by that number's text
  std::string_view font_name = "MS Sans Serif";
  if (HasValue(font_value)) {
    font_name = font_value->IsString() ? font_value->AsString() : (font_text = font_value->Text());
  }
  const Value* size_value = FindInGroup(groups.control, kFontSize);
  float font_size = HasValue(size_value) ? FloatOf(*size_value) : 8.0f;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  (void)MeasureTextExtent(sample, font_name, font_size, width, height);  // answers kOk always
  width = AdjustCtrlWidth(width);
  if (use_style_size) {
    if (const Value* style_width = FindInGroup(groups.edit_style, kStyleWidth);
        HasValue(style_width)) {
      width = static_cast<std::uint16_t>(NumberOf(*style_width));
    }
    if (const Value* style_height = FindInGroup(groups.edit_style, kStyleHeight);
        HasValue(style_height)) {
      height = static_cast<std::uint16_t>(NumberOf(*style_height));
    }
  }
  AddProperty(Value::Single(width), ctrl_props::kWidth);
  AddProperty(Value::Single(height), ctrl_props::kHeight);
  return kOk;
}

std::optional<std::string> CCtrlDesc::GetWidthSample() {
  return std::nullopt;
}

int CCtrlDesc::CalcCharWidth() {
  CAttribute* attribute = GetAttribute();
  const Value* type = attribute ? attribute->FindPropertyOfShared(kColumnType.Shared()) : nullptr;
  // A value a variant copy cannot carry counts as none, as an empty text does.
  if (!type || type->IsEmpty() || !type->HasText()) return 2;
  std::string number_text;  // a type given as a number is read by its text
  const std::string_view text =
      type->IsString() ? type->AsString() : std::string_view(number_text = type->Text());
  int count = 15;
  if (ContainsAsciiWord(text, "TIME")) {
    count = 25;
  } else if (ContainsAsciiWord(text, "DATE")) {
    count = 15;
  } else if (auto open = text.find('('); open != std::string_view::npos) {
    std::size_t position = open + 1;
    while (position < text.size() && text[position] == ' ') ++position;
    count = 0;
    while (position < text.size() && std::isdigit(static_cast<unsigned char>(text[position])) &&
           count <= 40) {
      count = count * 10 + (text[position++] - '0');
    }
  }
  return std::min(count, kMaxWidthChars);
}

std::uint16_t CCtrlDesc::AdjustCtrlWidth(std::uint16_t width) {
  return static_cast<std::uint16_t>((width / 400 + 1) * 400);
}

}  // namespace tavik
