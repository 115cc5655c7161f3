// Printing form-file text and counting, as it goes, what Visual Basic's limits read.
#include "formfile/block_printer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>

#include "formfile/form_limits.h"
#include "model/nx_property.h"
#include "text/ascii_case.h"

namespace tavik::formfile {

namespace {

// The panel that holds the controls of a form too large for the screen; the form's scroll
// bars move it, so its size is what they must reach.
constexpr std::string_view kScrollPanel = "tvkSSPanel";

constexpr std::size_t kFastDepth = 16;
constexpr std::size_t kFastNameSize = 32;
constexpr std::size_t kFastTextSize = 64;
constexpr std::string_view kTabs = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
constexpr std::string_view kBlanks = "                                ";
static_assert(kTabs.size() == kFastDepth && kBlanks.size() == kFastNameSize);
// A usual property line at most: the tabs and the padded name are copied whole, then the
// equals, and a number or a short text quoted, and the line's end.
constexpr std::size_t kUsualLineRoom =
    kFastDepth + kFastNameSize + 8 + std::max(Value::kNumberTextRoom, kFastTextSize + 2);
// Every block ends so: the line at the usual depth is cut from this.
constexpr std::string_view kTabsAndEnd = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tEnd\r\n";
static_assert(kTabsAndEnd.substr(0, kFastDepth) == kTabs);
// A usual Begin line at most.
constexpr std::string_view kBegin = "Begin ";
constexpr std::size_t kUsualBeginRoom = kFastDepth + kBegin.size() + kFastTextSize * 2 + 3;

// Copies a text of at most 64 bytes by two copies of a fixed size that overlap, which the
// compiler makes in place: for a property's name or short value the library's copy costs
// more in its call than in its copying.
inline char* CopiedShort(char* to, std::string_view text) {
  const char* from = text.data();
  const std::size_t size = text.size();
  auto copy_ends = [&]<std::size_t kWord>() {
    std::memcpy(to, from, kWord);
    std::memcpy(to + size - kWord, from + size - kWord, kWord);
  };
  if (size > 32) {
    copy_ends.template operator()<32>();
  } else if (size >= 16) {
    copy_ends.template operator()<16>();
  } else if (size >= 8) {
    copy_ends.template operator()<8>();
  } else if (size >= 4) {
    copy_ends.template operator()<4>();
  } else {
    for (std::size_t at = 0; at < size; ++at) to[at] = from[at];
  }
  return to + size;
}

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && (line.front() == '\t' || line.front() == ' ')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
  return line;
}

// The procedure a code line opens ("Sub Name(...)", "Private Function Name(...)"), if any.
std::optional<std::string_view> OpenedProcedure(std::string_view line) {
  for (std::string_view word : {"Private ", "Public ", "Static "}) {
    if (line.starts_with(word)) line.remove_prefix(word.size());
  }
  for (std::string_view kind : {"Sub ", "Function "}) {
    if (line.starts_with(kind)) {
      line.remove_prefix(kind.size());
      return Trimmed(line.substr(0, line.find('(')));
    }
  }
  return std::nullopt;
}

}  // namespace

void BlockPrinter::AppendQuoted(std::string& text, std::string_view value) {
  if (value.find('"') == std::string_view::npos) {
    text += value;
    return;
  }
  for (char c : value) {
    text += c;
    if (c == '"') text += '"';
  }
}

void BlockPrinter::Indent() {
  if (layout_.indent == "\t") {
    text_.append(depth_, '\t');
    return;
  }
  for (std::size_t level = 0; level < depth_; ++level) text_ += layout_.indent;
}

void BlockPrinter::Line(std::string_view line) {
  text_ += line;
  text_ += "\r\n";
}

void BlockPrinter::IndentedLine(std::string_view line) {
  Indent();
  Line(line);
}

void BlockPrinter::Version(std::string_view version) {
  text_ += "VERSION ";
  Line(version);
}

void BlockPrinter::Caption(std::string_view text) {
  Indent();
  text_ += "Caption = \"";
  text_ += text;
  text_ += "\"\r\n";
}

void BlockPrinter::CheckName(std::string_view what, std::string_view name) {
  if (name.size() > FormLimits::kMaxNameLength)
    tally_.long_names.push_back({what, std::string(name)});
}

void BlockPrinter::Begin(std::string_view class_name, std::string_view name,
                         std::string_view after) {
  if (!UsualBegin(class_name, name) || !after.empty()) {
    Indent();
    text_ += kBegin;
    text_ += class_name;
    text_ += ' ';
    text_ += name;
    text_ += after;
    text_ += "\r\n";
  } else {
    std::array<char, kUsualBeginRoom> line;
    text_.append(line.data(), UsualBeginLine(line.data(), class_name, name));
  }
  CountBegun(class_name, name);
}

// The form itself is not one of its controls.
void BlockPrinter::CountBegun(std::string_view class_name, std::string_view name) {
  const bool control = blocks_begun_++ > 0;
  if (!control) tally_.form_name = name;
  if (control) {
    tally_.control_names.AddUnsettled(name);
    ++tally_.control_blocks;
    CountClass(class_name);
  }
  CheckName(control ? std::string_view("control") : std::string_view("form"), name);
  panel_open_ = name == kScrollPanel;
  ++depth_;
}

bool BlockPrinter::UsualBegin(std::string_view class_name, std::string_view name) const {
  return UsualDepth() && class_name.size() <= kFastTextSize && name.size() <= kFastTextSize;
}

// Every control of a form opens a block: the line is made at at by copies of fixed size.
char* BlockPrinter::UsualBeginLine(char* at, std::string_view class_name,
                                   std::string_view name) const {
  std::memcpy(at, kTabs.data(), kFastDepth);
  at += depth_;
  std::memcpy(at, kBegin.data(), kBegin.size());
  at += kBegin.size();
  at = CopiedShort(at, class_name);
  *at++ = ' ';
  at = CopiedShort(at, name);
  std::memcpy(at, "\r\n", 2);
  return at + 2;
}

void BlockPrinter::CountClass(std::string_view class_name) {
  for (const std::string* recent : recent_classes_) {
    if (recent && *recent == class_name) return;
  }
  auto counted = tally_.classes.find(class_name);
  if (counted == tally_.classes.end()) counted = tally_.classes.emplace(class_name).first;
  recent_classes_[next_recent_class_] = &*counted;
  next_recent_class_ = (next_recent_class_ + 1) % recent_classes_.size();
}

void BlockPrinter::End() {
  --depth_;
  panel_open_ = false;
  if (!UsualDepth()) {
    IndentedLine("End");
    return;
  }
  text_ += kTabsAndEnd.substr(kFastDepth - depth_);
}

void BlockPrinter::BeginGroup(std::string_view name, std::string_view after) {
  Indent();
  text_ += "BeginProperty ";
  text_ += name;
  text_ += after;
  text_ += "\r\n";
  ++depth_;
}

void BlockPrinter::EndGroup() {
  --depth_;
  IndentedLine("EndProperty");
}

void BlockPrinter::NameAndEquals(std::string_view name) {
  Indent();
  text_ += name;
  if (name.size() < layout_.name_width) text_.append(layout_.name_width - name.size(), ' ');
  text_ += layout_.equals;
}

void BlockPrinter::PanelProperty(std::string_view name, std::string_view value) {
  long* size = name == "Height"  ? &tally_.panel_height
               : name == "Width" ? &tally_.panel_width
                                 : nullptr;
  long number = 0;
  if (size && std::from_chars(value.data(), value.data() + value.size(), number).ec == std::errc())
    *size = number;
}

// The tabs of the level, the name padded and the equals, at the start of a fast line: made by
// copies of fixed size, the name and depth being at most the buffer's.
inline char* BlockPrinter::UsualLineStart(char* at, std::string_view name) const {
  constexpr std::string_view kEquals = kGeneratorLayout.equals;
  std::memcpy(at, kTabs.data(), kFastDepth);
  at += depth_;
  std::memcpy(at, kBlanks.data(), kFastNameSize);
  CopiedShort(at, name);
  at += std::max(name.size(), kGeneratorLayout.name_width);
  std::memcpy(at, kEquals.data(), kEquals.size());
  return at + kEquals.size();
}

// Lines within the usual depth, in the generator's layout, are made in buffers.
bool BlockPrinter::UsualDepth() const {
  return depth_ <= kFastDepth && &layout_ == &kGeneratorLayout;
}

// Made piece by piece: this runs once per property of every control, and formatting through
// a pattern costs more than all the rest of writing the form. At the usual depth, a line of
// the usual name with a number or a short text without quotes is made in a buffer at at; its
// end is returned, or nothing for a line of another kind, which the caller prints the long way.
inline char* BlockPrinter::UsualPropertyLine(char* at, const CNxProperty& property) {
  const std::string& name = property.GetName();
  if (name.size() > kFastNameSize) return nullptr;
  const Value& value = property.GetValue();
  at = UsualLineStart(at, name);
  if (value.IsString()) {
    const std::string_view text = value.AsString();
    if (text.size() > kFastTextSize || text.find('"') != std::string_view::npos) return nullptr;
    *at++ = '"';
    at = CopiedShort(at, text);
    std::memcpy(at, "\"\r\n", 3);
    return at + 3;
  }
  // The property writes what its type lets it: numbers and truth values.
  char* number = at;
  at = value.WriteNumberText(at);
  if (panel_open_) {
    PanelProperty(name, std::string_view(number, static_cast<std::size_t>(at - number)));
  }
  *at++ = '\r';
  *at++ = '\n';
  return at;
}

void BlockPrinter::Property(const CNxProperty& property) {
  std::array<char, kUsualLineRoom> line;
  if (char* end = UsualDepth() ? UsualPropertyLine(line.data(), property) : nullptr) {
    text_.append(line.data(), end);
    return;
  }
  const std::string& name = property.GetName();
  NameAndEquals(name);
  if (property.GetValue().IsString()) {
    text_ += '"';
    AppendQuoted(text_, property.GetValue().AsString());
    text_ += "\"\r\n";
    return;
  }
  const std::size_t start = text_.size();
  property.AppendText(text_);
  if (panel_open_) PanelProperty(name, std::string_view(text_).substr(start));
  text_ += "\r\n";
}

// A block's lines are gathered in a buffer and appended a few dozen at a time, not one by one.
void BlockPrinter::Properties(const std::vector<CNxProperty>& properties) {
  if (!UsualDepth()) {
    for (const CNxProperty& property : properties) Property(property);
    return;
  }
  static_assert(std::tuple_size_v<BlockLines> == kUsualLineRoom * 16);
  BlockLines lines;
  text_.append(lines.data(), PropertyLines(lines, lines.data(), properties));
}

// The property lines follow at at in lines, which are appended to the text when full; the end
// of those not appended yet is returned.
char* BlockPrinter::PropertyLines(BlockLines& lines, char* at,
                                  const std::vector<CNxProperty>& properties) {
  for (const CNxProperty& property : properties) {
    if (static_cast<std::size_t>(lines.data() + lines.size() - at) < kUsualLineRoom) {
      text_.append(lines.data(), at);
      at = lines.data();
    }
    if (char* end = UsualPropertyLine(at, property)) {
      at = end;
      continue;
    }
    text_.append(lines.data(), at);
    at = lines.data();
    Property(property);
  }
  return at;
}

// Nearly every control's block: its Begin line, its properties and its End gathered in one
// buffer and appended together.
void BlockPrinter::Block(std::string_view class_name, std::string_view name,
                         const std::vector<CNxProperty>& properties) {
  if (!UsualBegin(class_name, name) || depth_ + 1 > kFastDepth) {
    Begin(class_name, name);
    Properties(properties);
    End();
    return;
  }
  BlockLines lines;
  char* at = UsualBeginLine(lines.data(), class_name, name);
  CountBegun(class_name, name);
  at = PropertyLines(lines, at, properties);
  --depth_;
  panel_open_ = false;
  if (static_cast<std::size_t>(lines.data() + lines.size() - at) < kTabsAndEnd.size()) {
    text_.append(lines.data(), at);
    at = lines.data();
  }
  const std::string_view end = kTabsAndEnd.substr(kFastDepth - depth_);
  std::memcpy(at, end.data(), end.size());
  text_.append(lines.data(), at + end.size());
}

void BlockPrinter::Property(std::string_view name, std::string_view value, bool quoted,
                            std::string_view comment) {
  NameAndEquals(name);
  if (quoted) text_ += '"';
  text_ += value;
  if (quoted) text_ += '"';
  text_ += comment;
  text_ += "\r\n";
  if (panel_open_ && !quoted) PanelProperty(name, value);
}

void BlockPrinter::CountProcedure(std::string_view name, std::size_t bytes) {
  CheckName("procedure", name);
  if (bytes > FormLimits::kMaxProcedureBytes) tally_.long_procedures.emplace_back(name, bytes);
}

namespace {
constexpr std::string_view kSub = "Sub ";
}  // namespace

void BlockPrinter::OpenProcedure(std::initializer_list<std::string_view> name_pieces) {
  procedure_start_ = text_.size();
  text_ += kSub;
  for (std::string_view piece : name_pieces) text_ += piece;
  procedure_name_size_ = text_.size() - procedure_start_ - kSub.size();
}

// The name is read where the procedure's first line holds it: the text goes to the file only
// between procedures.
void BlockPrinter::CloseProcedure() {
  text_ += "End Sub\r\n";
  const std::string_view name =
      std::string_view(text_).substr(procedure_start_ + kSub.size(), procedure_name_size_);
  CountProcedure(name, text_.size() - procedure_start_);
}

// Lines of the code that begin a procedure open it and "End Sub" or "End Function" closes
// it; a procedure's bytes are those of its lines with their line feeds.
void BlockPrinter::CodeLine(std::string_view line) {
  const std::string_view trimmed = Trimmed(line);
  if (!in_code_procedure_) {
    if (auto opened = OpenedProcedure(trimmed)) {
      procedure_name_ = *opened;
      in_code_procedure_ = true;
      code_procedure_bytes_ = 0;
    }
  }
  if (!in_code_procedure_) return;
  code_procedure_bytes_ += line.size() + 1;
  if (trimmed == "End Sub" || trimmed == "End Function") {
    CountProcedure(procedure_name_, code_procedure_bytes_);
    in_code_procedure_ = false;
  }
}

void BlockPrinter::Code(std::string_view code) {
  text_ += code;
  while (!code.empty()) {
    const std::size_t end = std::min(code.find('\n'), code.size());
    CodeLine(code.substr(0, end));
    code.remove_prefix(std::min(end + 1, code.size()));
  }
}

}  // namespace tavik::formfile
