// The one printer of form-file text: blocks, property lines, property groups and procedures,
// in the generator's layout or in Visual Basic's, counting what the limit checks read.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "formfile/form_tally.h"

namespace tavik {
class CNxProperty;
}

namespace tavik::formfile {

// How a layout indents and lines up a level of a form block.
struct BlockLayout {
  std::string_view indent;  // one level
  std::size_t name_width;   // property names are padded to it
  std::string_view equals;  // between the padded name and the value
};

// The generator's: a tab a level. Forms it wrote and live forms are saved in it.
inline constexpr BlockLayout kGeneratorLayout{"\t", 20, "=    "};
// Visual Basic's own, which a form read from one of its files is written back in.
inline constexpr BlockLayout kVisualBasicLayout{"   ", 16, "=   "};

// Appends to a text it does not own, so the text may be handed to the file in pieces between
// blocks and procedures. The first block begun is the form's; the blocks within it are its
// controls. Every line ends in a carriage return and a line feed.
class BlockPrinter {
 public:
  explicit BlockPrinter(std::string& text, const BlockLayout& layout = kGeneratorLayout)
      : text_(text), layout_(layout) {}
  BlockPrinter(const BlockPrinter&) = delete;
  BlockPrinter& operator=(const BlockPrinter&) = delete;

  std::string& text() { return text_; }
  const FormTally& tally() const { return tally_; }
  FormTally TakeTally() {
    recent_classes_ = {};  // they point into the set taken
    return std::move(tally_);
  }

  // The line as it is, or after the indent of the present level.
  void Line(std::string_view line);
  void IndentedLine(std::string_view line);
  // "VERSION" and the version of the file's text: its first line.
  void Version(std::string_view version);
  // The generator's form caption line: first of the form's properties and not lined up with
  // them. The text as it stands in a file (quotes doubled).
  void Caption(std::string_view text);
  // "Begin class name" and what followed the name in a file read; then a level deeper.
  void Begin(std::string_view class_name, std::string_view name, std::string_view after = {});
  // A level back and "End".
  void End();
  // "BeginProperty name" and what followed it; then a level deeper. EndGroup closes it.
  void BeginGroup(std::string_view name, std::string_view after = {});
  void EndGroup();
  // The name padded, the layout's equals and the value: strings quoted, their quotes doubled.
  void Property(const CNxProperty& property);
  // A block's properties in their order, each as Property prints it.
  void Properties(const std::vector<CNxProperty>& properties);
  // A block with those properties and no blocks within, as Begin, Properties and End print it.
  void Block(std::string_view class_name, std::string_view name,
             const std::vector<CNxProperty>& properties);
  // A value as it stands in a file read (quotes doubled already) and the comment after it.
  void Property(std::string_view name, std::string_view value, bool quoted,
                std::string_view comment = {});

  // "Sub " and the name's pieces; the caller goes on with the parameters and the body.
  void OpenProcedure(std::initializer_list<std::string_view> name_pieces);
  // "End Sub": the procedure's bytes are counted from its first line to here.
  void CloseProcedure();
  // Code the printer did not make (a running form's): its procedures are found by their lines.
  void Code(std::string_view code);

  // value with each double quote doubled, as Visual Basic reads a quote inside a string.
  static void AppendQuoted(std::string& text, std::string_view value);

 private:
  void Indent();
  void NameAndEquals(std::string_view name);
  char* UsualLineStart(char* at, std::string_view name) const;
  bool UsualDepth() const;
  char* UsualPropertyLine(char* at, const CNxProperty& property);
  // A block's lines gathered before they are appended: sixteen of the longest usual line.
  using BlockLines = std::array<char, 1952>;

  bool UsualBegin(std::string_view class_name, std::string_view name) const;
  char* UsualBeginLine(char* at, std::string_view class_name, std::string_view name) const;
  void CountBegun(std::string_view class_name, std::string_view name);
  char* PropertyLines(BlockLines& lines, char* at, const std::vector<CNxProperty>& properties);
  void CheckName(std::string_view what, std::string_view name);
  void PanelProperty(std::string_view name, std::string_view value);
  void CountProcedure(std::string_view name, std::size_t bytes);
  void CountClass(std::string_view class_name);
  void CodeLine(std::string_view line);

  std::string& text_;
  const BlockLayout& layout_;
  std::size_t depth_ = 0;
  std::size_t blocks_begun_ = 0;
  bool panel_open_ = false;  // within the scrolled panel's own properties
  FormTally tally_;
  // The classes of the last blocks, in the tally's set: a form's blocks take turns among a
  // few classes, and a look-up in the set for each would cost more than the rest of Begin.
  std::array<const std::string*, 4> recent_classes_{};
  std::size_t next_recent_class_ = 0;
  std::string procedure_name_;  // of the procedure of code given whole
  std::size_t procedure_start_ = 0;
  std::size_t procedure_name_size_ = 0;  // of the procedure opened, after its "Sub "
  bool in_code_procedure_ = false;       // within a procedure of code given whole
  std::size_t code_procedure_bytes_ = 0;
};

}  // namespace tavik::formfile
