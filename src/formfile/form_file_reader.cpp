// Reading form files: the lines of the form block, property values, and the code part.
#include "formfile/form_file_reader.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "platform/mapped_file.h"
#include "text/ascii_case.h"

namespace tavik::formfile {

namespace {

constexpr char kEndOfFileMark = '\x1A';  // what old editors left at the end of a text file
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Lines end in LF (after any CRs); a text without a single LF was saved with CR alone.
char LineEnd(std::string_view text) {
  return text.find('\n') == std::string_view::npos ? '\r' : '\n';
}

struct Line {
  std::string_view text;  // without its line end
  int number = 0;
};

// The lines of a text one after another, none of them copied or kept.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : LineCursor(text, LineEnd(text)) {}
  LineCursor(std::string_view text, char line_end) : text_(text), line_end_(line_end) {}

  char LineEndMark() const { return line_end_; }
  // The number of the last line read; 0 before the first.
  int Number() const { return number_; }
  // What is left of the text, from the start of the next line.
  std::string_view Rest() const { return text_.substr(start_); }

  bool Next(Line& line) {
    if (start_ >= text_.size()) return false;
    const std::size_t end = text_.find(line_end_, start_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    std::string_view text = text_.substr(start_, stop - start_);
    while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    line = {text, ++number_};
    start_ = end == std::string_view::npos ? text_.size() : end + 1;
    return true;
  }

  // The number of the text's last line, counted when a message needs it.
  int LastNumber() const {
    auto count = static_cast<int>(std::count(text_.begin(), text_.end(), line_end_));
    return text_.empty() || text_.back() != line_end_ ? count + 1 : count;
  }

 private:
  std::string_view text_;
  char line_end_;
  std::size_t start_ = 0;
  int number_ = 0;
};

// How much of the text, from its start, is lines that end in one carriage return and line
// feed each, as code needs them.
std::size_t CrLfLinesLength(std::string_view text, char line_end) {
  if (line_end != '\n') return 0;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos;
       end = text.find('\n', start)) {
    if (end == start || text[end - 1] != '\r' || (end - 1 > start && text[end - 2] == '\r')) break;
    start = end + 1;
  }
  return start;
}

// Each line of text with one carriage return and line feed after it. Lines that already
// end so (every line of the forms this system writes) are taken as they stand.
void AppendCode(std::string& code, std::string_view text, char line_end) {
  const std::size_t ready = CrLfLinesLength(text, line_end);
  const std::size_t rest = text.size() - ready;
  code.reserve(code.size() + ready + rest + rest / 16);
  code.append(text.substr(0, ready));
  text.remove_prefix(ready);
  while (!text.empty()) {
    auto end = text.find(line_end);
    std::string_view line = text.substr(0, end);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    code += line;
    code += "\r\n";
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
}

// Blanks are tested byte by byte: the library's searches for one of two characters call
// memchr for every byte, which made trimming most of the time spent reading a form.
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::size_t BlanksBefore(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  return first;
}

std::string_view Trim(std::string_view text) {
  text.remove_prefix(BlanksBefore(text));
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The first word of a trimmed line and the rest, trimmed.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view text) {
  std::size_t blank = 0;
  while (blank < text.size() && !IsBlank(text[blank])) ++blank;
  return {text.substr(0, blank), Trim(text.substr(blank))};
}

// A line as a message quotes it: long lines are cut.
std::string Excerpt(std::string_view text) {
  constexpr std::size_t kLongest = 60;
  return text.size() <= kLongest ? std::string(text)
                                 : std::string(text.substr(0, kLongest)) + "...";
}

// What the line holds after a word of it, to its end.
std::string_view After(std::string_view line, std::string_view word) {
  return line.substr(static_cast<std::size_t>(word.data() + word.size() - line.data()));
}

bool IsWord(std::string_view text, std::string_view word) {
  return SameName(text, word);
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && SameName(text.substr(text.size() - suffix.size()), suffix);
}

bool IsBinaryByte(char c) {
  return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n';
}

// Sixteen bytes, compared all at once by the compiler's vector operations.
using Bytes16 = unsigned char __attribute__((vector_size(16)));

// Where the first control character other than tab and the line ends lies, or the text's
// size: sixteen bytes at a time past those that hold none. Every line holds a line end and
// most an indent, so a test for any control byte stopped at nearly every word.
std::size_t FirstBinaryByte(std::string_view text) {
  std::size_t at = 0;
  for (; text.size() - at >= sizeof(Bytes16); at += sizeof(Bytes16)) {
    Bytes16 bytes;
    std::memcpy(&bytes, text.data() + at, sizeof bytes);
    const auto binary = ((bytes & 0xE0) == 0) & (bytes != '\t') & (bytes != '\r') & (bytes != '\n');
    std::uint64_t halves[2];
    std::memcpy(halves, &binary, sizeof halves);
    if ((halves[0] | halves[1]) != 0) break;
  }
  for (; at < text.size(); ++at) {
    if (IsBinaryByte(text[at])) return at;
  }
  return text.size();
}

// The leading "Attribute" lines of a code part, and the code after them.
FormFileReader::CodePart SplitCodePart(std::string_view text, char line_end) {
  FormFileReader::CodePart part;
  LineCursor lines(text, line_end);
  std::string_view code = text;
  Line line;
  while (lines.Next(line)) {
    if (!IsWord(SplitWord(line.text).first, "Attribute")) break;
    part.attributes.emplace_back(line.text);
    code = lines.Rest();
    part.first_line = line.number + 1;
  }
  AppendCode(part.code, code, line_end);
  return part;
}

// A name's hash with case ignored (FNV-1a over the folded bytes).
std::uint64_t FoldedHash(std::string_view name) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (char c : name) {
    hash = (hash ^ static_cast<unsigned char>(text::AsciiLower(c))) * 1099511628211ULL;
  }
  return hash;
}

// A property given twice keeps the later value in the later place: the caption line that
// opens this system's form blocks is given again among the form's properties. The earlier
// ones are taken out when the block closes, found by sorting the names' hashes: searching
// the list for every line read cost the square of a block's length. A group keeps the
// place it was given when it opened, counted without what had been given again by then.
class LastOfEachName {
 public:
  void Apply(PropertyList& list, std::vector<PropertyGroup>& groups) {
    if (list.size() < 2) return;
    FindEarlier(list);
    if (replaced_at_.empty()) return;
    std::ranges::sort(replaced_at_);
    for (PropertyGroup& group : groups) {
      group.position -= static_cast<std::size_t>(
          std::ranges::lower_bound(replaced_at_, group.position) - replaced_at_.begin());
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (!dropped_[i]) {
        if (kept != i) list[kept] = std::move(list[i]);
        ++kept;
      }
    }
    list.resize(kept);
  }

 private:
  // A block of up to this many properties (nearly every one) is searched name by name.
  static constexpr std::size_t kSearchedSize = 24;

  // Marks each property given again later, and where (replaced_at_) it was given again.
  void FindEarlier(const PropertyList& list) {
    dropped_.assign(list.size(), false);
    replaced_at_.clear();
    if (list.size() <= kSearchedSize) {
      sketches_.resize(list.size());
      for (std::size_t i = 0; i < list.size(); ++i) sketches_[i] = FoldedSketch(list[i].name);
      if (!MayRepeat()) return;
      for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        for (std::size_t j = i + 1; j < list.size(); ++j) {
          if (sketches_[i] == sketches_[j] && SameName(list[i].name, list[j].name)) {
            dropped_[i] = true;
            replaced_at_.push_back(j);
            break;
          }
        }
      }
      return;
    }
    hashes_.clear();
    for (std::size_t i = 0; i < list.size(); ++i) hashes_.emplace_back(FoldedHash(list[i].name), i);
    std::ranges::sort(hashes_);
    for (std::size_t end = hashes_.size(); end > 0;) {
      std::size_t begin = end - 1;
      while (begin > 0 && hashes_[begin - 1].first == hashes_[end - 1].first) --begin;
      if (end - begin > 1) MarkRun(list, begin, end);
      end = begin;
    }
  }

  // Whether two of the sketches may be the same: each marks one of 256 bits, and sketches
  // that mark different bits differ. Most blocks give no name twice and pass at once.
  bool MayRepeat() const {
    std::array<std::uint64_t, 4> marked{};
    for (const std::uint64_t sketch : sketches_) {
      const std::uint64_t bit = (sketch * 0x9E3779B97F4A7C15ULL) >> 56;
      std::uint64_t& word = marked[bit >> 6];
      const std::uint64_t mask = std::uint64_t{1} << (bit & 63);
      if ((word & mask) != 0) return true;
      word |= mask;
    }
    return false;
  }

  // A run of one hash, latest first: each name's later place, against which an earlier one
  // is dropped (different names of one hash are told apart by comparing them).
  void MarkRun(const PropertyList& list, std::size_t begin, std::size_t end) {
    latest_.clear();
    for (std::size_t at = end; at > begin; --at) {
      const std::size_t index = hashes_[at - 1].second;
      auto same = std::ranges::find_if(
          latest_, [&](std::size_t later) { return SameName(list[later].name, list[index].name); });
      if (same == latest_.end()) {
        latest_.push_back(index);
        continue;
      }
      dropped_[index] = true;
      replaced_at_.push_back(*same);
      *same = index;
    }
  }

  // A name's size and its first, middle and last bytes, case folded, as one number: names
  // the same but for case have the same number, and only names of one number are compared.
  static std::uint64_t FoldedSketch(std::string_view name) {
    auto folded = [&](std::size_t at) -> std::uint64_t {
      const auto byte = static_cast<unsigned char>(name[at]);
      return byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte;
    };
    std::uint64_t sketch = name.size() & 0xFFFFFFFFU;
    if (!name.empty()) {
      sketch |= folded(0) << 32 | folded(name.size() / 2) << 40 | folded(name.size() - 1) << 48;
    }
    return sketch;
  }

  std::vector<std::uint64_t> sketches_;
  std::vector<std::pair<std::uint64_t, std::size_t>> hashes_;
  std::vector<bool> dropped_;
  std::vector<std::size_t> replaced_at_;
  std::vector<std::size_t> latest_;
};

// What a form file holds in one frame of the form block: the form, a control or a group.
struct Frame {
  enum Kind { kForm, kControl, kGroup } kind;
  int line;
  // For messages, made only for one: "Form Orders", "TextBox tbxName", "Font" (a group's
  // name alone, as its second word).
  std::string_view class_name;
  std::string_view name;
  PropertyList* properties;            // where property lines go while the block is read
  RunningControl* control;             // the control of a control frame, else none
  std::string prefix;                  // "Font." inside a group
  std::vector<PropertyGroup>* groups;  // where the groups opened in it are recorded
  PropertyList* owner = nullptr;       // the form's or control's list, filled when it closes

  std::string Description() const {
    return class_name.empty() ? std::string(name) : fmt::format("{} {}", class_name, name);
  }
};

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text), lines_(text) {}

  FormFileReader::Outcome Run() {
    FormFileReader::Outcome outcome;
    bool utf8_mark = text_.starts_with(kUtf8Mark);
    if (utf8_mark) text_.remove_prefix(kUtf8Mark.size());
    if (!CheckText() || !ReadHeader() || !ReadFormBlock()) {
      // A last line without its line end is most likely where a truncated file was cut.
      bool cut_here = text_read_ && fault_.line == lines_.LastNumber() && text_.back() != '\n';
      if (cut_here && !fault_.message.starts_with("the file ends")) {
        fault_.message += "; the file ends in the middle of this line, cut short";
      }
      outcome.fault = fault_;
      return outcome;
    }
    ReadCodePart();
    form_->SetUtf8Mark(utf8_mark);
    outcome.form = std::move(form_);
    return outcome;
  }

 private:
  bool Fail(int line, std::string message) {
    fault_ = {line, std::move(message)};
    return false;
  }

  // A form file is text: a control character other than tab and the line ends means a
  // binary file (or a form saved in binary form), which is refused where it shows.
  bool CheckText() {
    while (!text_.empty() && text_.back() == kEndOfFileMark) text_.remove_suffix(1);
    const std::size_t binary = FirstBinaryByte(text_);
    if (binary < text_.size()) {
      const auto line = 1 + std::count(text_.begin(), text_.begin() + binary, '\n');
      return Fail(static_cast<int>(line),
                  fmt::format("binary data (byte 0x{:02X}); a form file is text",
                              static_cast<unsigned char>(text_[binary])));
    }
    if (text_.empty()) return Fail(1, "the file is empty; a form file begins with \"VERSION\"");
    lines_ = LineCursor(text_);
    text_read_ = true;
    return true;
  }

  bool ReadHeader() {
    Line first_line;
    lines_.Next(first_line);
    auto [word, version] = SplitWord(Trim(first_line.text));
    if (!IsWord(word, "VERSION") || version.empty()) {
      return Fail(1, "expected \"VERSION\", the first line of a form file");
    }
    form_ = std::make_unique<RunningForm>();
    form_->SetFileVersion(std::string(version));
    Line line;
    while (lines_.Next(line)) {
      std::string_view text = Trim(line.text);
      if (text.empty()) continue;
      auto [first, rest] = SplitWord(text);
      if (IsWord(first, "Object")) {
        form_->ObjectReferences().emplace_back(text);
        continue;
      }
      auto [form_class, name] = SplitWord(rest);
      if (IsWord(first, "Begin") && EndsWith(form_class, "Form") && !name.empty()) {
        form_->SetFormClass(std::string(form_class));
        form_->SetName(std::string(name));
        form_->SetAfterName(std::string(After(line.text, name)));
        stack_.push_back({Frame::kForm, line.number, form_class, name, OpenList(), nullptr, "",
                          &form_->Groups(), &form_->Properties()});
        return true;
      }
      return Fail(line.number, fmt::format("expected \"Begin Form\", found \"{}\"", Excerpt(text)));
    }
    return Fail(lines_.LastNumber(), "the file ends before its form block (\"Begin Form\")");
  }

  bool ReadFormBlock() {
    bool indent_seen = false;
    Line line;
    while (lines_.Next(line)) {
      std::string_view text = Trim(line.text);
      if (text.empty()) continue;
      if (!indent_seen) {
        // The first line inside the form block shows one level of the file's indent.
        indent_seen = true;
        std::string_view indent = line.text.substr(0, BlanksBefore(line.text));
        if (!indent.empty()) form_->SetIndent(std::string(indent));
      }
      Frame& top = stack_.back();
      // Nearly every line is a property's: its name ends at a blank or the equals sign, and
      // a first word holding an equals sign or a quote is no keyword.
      const std::size_t name_end = NameEnd(text);
      if (name_end < text.size() && !IsBlank(text[name_end])) {
        if (!ReadProperty(line, text, name_end, top)) return false;
        continue;
      }
      const std::string_view first = text.substr(0, name_end);
      if (IsWord(first, "Begin")) {
        if (!BeginControl(line, SplitWord(text).second)) return false;
      } else if (IsWord(first, "BeginProperty")) {
        if (!CheckDepth(line)) return false;
        std::string_view group = SplitWord(SplitWord(text).second).first;
        if (group.empty()) return Fail(line.number, "\"BeginProperty\" needs a property name");
        std::string path = top.prefix + std::string(group);
        top.groups->push_back({path, std::string(After(line.text, group)), top.properties->size()});
        stack_.push_back({Frame::kGroup,
                          line.number,
                          {},
                          group,
                          top.properties,
                          top.control,
                          path + ".",
                          top.groups});
      } else if (IsWord(text, "EndProperty")) {
        if (top.kind != Frame::kGroup) {
          return Fail(line.number,
                      fmt::format("\"EndProperty\" without \"BeginProperty\" (in the block of {} "
                                  "begun on line {})",
                                  top.Description(), top.line));
        }
        stack_.pop_back();
      } else if (IsWord(text, "End")) {
        if (top.kind == Frame::kGroup) {
          return Fail(line.number, fmt::format("\"End\" where the property group {} begun on "
                                               "line {} needs \"EndProperty\"",
                                               top.Description(), top.line));
        }
        bool form_closed = top.kind == Frame::kForm;
        CloseList(top);
        stack_.pop_back();
        if (form_closed) return true;
      } else if (!ReadProperty(line, text, name_end, top)) {
        return false;
      }
    }
    const Frame& open = stack_.back();
    return Fail(lines_.LastNumber(),
                fmt::format("the file ends inside the block of {} begun on line {}; \"{}\" is "
                            "missing",
                            open.Description(), open.line,
                            open.kind == Frame::kGroup ? "EndProperty" : "End"));
  }

  // Every block opened is a frame and (for messages and the written form) a longer prefix
  // or indent: unbounded nesting would cost the square of its depth.
  bool CheckDepth(const Line& line) {
    if (stack_.size() <= FormFileReader::kDeepestNesting) return true;
    return Fail(line.number,
                fmt::format("blocks nested more than {} levels deep; Visual Basic takes about 25",
                            FormFileReader::kDeepestNesting));
  }

  bool BeginControl(const Line& line, std::string_view rest) {
    if (!CheckDepth(line)) return false;
    Frame& top = stack_.back();
    if (top.kind == Frame::kGroup) {
      return Fail(line.number, fmt::format("a control block cannot begin inside the property "
                                           "group {} begun on line {}",
                                           top.Description(), top.line));
    }
    auto [class_name, name] = SplitWord(rest);
    if (class_name.empty() || name.empty() || std::any_of(name.begin(), name.end(), IsBlank)) {
      return Fail(line.number, "\"Begin\" needs a control class and a control name");
    }
    auto control = std::make_unique<RunningControl>();
    control->class_name = class_name;
    control->name = name;
    control->after_name = After(line.text, name);
    control->line = line.number;
    RunningControl* added = form_->AddControl(std::move(control), top.control);
    stack_.push_back({Frame::kControl, line.number, class_name, name, OpenList(), added, "",
                      &added->groups, &added->properties});
    return true;
  }

  // A block's properties are gathered in a list kept for its depth and given to the form or
  // control when the block closes, in a list of their exact number: grown as they were read,
  // the lists held half as much again as their properties.
  PropertyList* OpenList() {
    if (open_lists_ == lists_.size()) lists_.emplace_back();
    return &lists_[open_lists_++];
  }

  void CloseList(const Frame& block) {
    PropertyList& read = *block.properties;
    last_of_each_name_.Apply(read, *block.groups);
    block.owner->assign(std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    read.clear();
    --open_lists_;
  }

  // Where a line's first word ends: at a blank, an equals sign or a quote, or the line's end.
  static std::size_t NameEnd(std::string_view text) {
    static constexpr std::array<bool, 256> kEndsName = [] {
      std::array<bool, 256> ends{};
      for (unsigned char c : {' ', '\t', '=', '"'}) ends[c] = true;
      return ends;
    }();
    std::size_t end = 0;
    while (end < text.size() && !kEndsName[static_cast<unsigned char>(text[end])]) ++end;
    return end;
  }

  // The first place from at that is not a blank. Property lines line their equals signs up
  // with a run of blanks after the name: it is passed eight at a time.
  static std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
    for (; text.size() - at >= sizeof kEightBlanks; at += sizeof kEightBlanks) {
      std::uint64_t word = 0;
      std::memcpy(&word, text.data() + at, sizeof word);
      if (word != kEightBlanks) break;
    }
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
  }

  // A property line, its first word ending at name_end.
  bool ReadProperty(const Line& line, std::string_view text, std::size_t name_end,
                    const Frame& top) {
    // The name and the equals sign, with nothing but blanks between, are found in one pass;
    // any other line is taken apart as the message about it needs.
    std::size_t equals = SkipBlanks(text, name_end);
    std::string_view name;
    if (name_end > 0 && equals < text.size() && text[equals] == '=') {
      name = text.substr(0, name_end);
    } else {
      equals = text.find('=');
      if (equals != std::string_view::npos) name = Trim(text.substr(0, equals));
    }
    if (name.empty() ||
        std::any_of(name.begin(), name.end(), [](char c) { return IsBlank(c) || c == '"'; })) {
      return Fail(line.number,
                  fmt::format("expected a property line (Name = value), \"Begin\" or \"End\"; "
                              "found \"{}\"",
                              Excerpt(text)));
    }
    auto value = ParseValue(line, Trim(text.substr(equals + 1)));
    if (!value) return false;
    if (top.prefix.empty()) {
      value->name = name;
    } else {
      prefixed_.assign(top.prefix).append(name);
      value->name = prefixed_;
    }
    top.properties->push_back(std::move(*value));
    return true;
  }

  std::optional<FormProperty> ParseValue(const Line& line, std::string_view value) {
    FormProperty property;
    if (!value.empty() && value.front() == '"') {
      auto last = value.rfind('"');
      if (last == 0) {
        Fail(line.number, "the string has no closing double quote");
        return std::nullopt;
      }
      std::string_view after = Trim(value.substr(last + 1));
      if (after.empty() || after.front() == '\'') {
        // Quotes inside are kept as they stand: this system writes strings unescaped.
        property.kind = PropertyKind::kString;
        property.text = value.substr(1, last - 1);
        if (!after.empty()) property.comment = value.substr(last + 1);
      } else if (after.front() == ':') {
        property.kind = PropertyKind::kResource;
        property.text = value;
      } else {
        Fail(line.number,
             fmt::format("unexpected \"{}\" after the closing double quote", Excerpt(after)));
        return std::nullopt;
      }
      return property;
    }
    if (!value.empty() && value.front() == '$') {
      property.kind = PropertyKind::kResource;
      property.text = value;
      return property;
    }
    // A comment after a number ("-1  'True") is not part of the value, but stays with it.
    std::string_view bare = Trim(value.substr(0, value.find('\'')));
    property.kind = ParseNumber(bare) ? PropertyKind::kNumber : PropertyKind::kOther;
    property.text = bare;
    property.comment = value.substr(bare.size());
    return property;
  }

  void ReadCodePart() {
    FormFileReader::CodePart part = SplitCodePart(lines_.Rest(), lines_.LineEndMark());
    form_->Attributes() = std::move(part.attributes);
    form_->SetCode(std::move(part.code));
    form_->SetCodeLine(lines_.Number() + part.first_line);
  }

  std::string_view text_;
  LineCursor lines_;
  bool text_read_ = false;  // the text passed its check and its lines are being read
  std::vector<Frame> stack_;
  std::deque<PropertyList> lists_;  // one for each depth of blocks open (references stay)
  std::size_t open_lists_ = 0;
  std::string prefixed_;  // a group member's name after the group's path
  LastOfEachName last_of_each_name_;
  std::unique_ptr<RunningForm> form_;
  FormFileReader::Fault fault_;
};

}  // namespace

FormFileReader::Outcome FormFileReader::Read(std::string_view text) {
  return Parser(text).Run();
}

std::string FormFileReader::CodeText(std::string_view text) {
  std::string code;
  AppendCode(code, text, LineEnd(text));
  return code;
}

FormFileReader::CodePart FormFileReader::ReadCode(std::string_view text) {
  return SplitCodePart(text, LineEnd(text));
}

std::optional<FormFileReader::CodePart> FormFileReader::ReadFormCode(std::string_view text) {
  if (text.starts_with(kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
  while (!text.empty() && text.back() == kEndOfFileMark) text.remove_suffix(1);
  LineCursor lines(text);
  Line line;
  while (lines.Next(line)) {
    std::string_view closing = line.text;
    while (!closing.empty() && IsBlank(closing.back())) closing.remove_suffix(1);
    if (!IsWord(closing, "End")) continue;
    CodePart part = SplitCodePart(lines.Rest(), lines.LineEndMark());
    part.first_line += lines.Number();
    return part;
  }
  return std::nullopt;
}

FormFileReader::CodeOutcome FormFileReader::ReadFileCode(const std::string& path) {
  CodeOutcome outcome;
  Outcome read;
  std::optional<std::string> text = ReadText(path, read);
  if (!text) {
    outcome.fault = read.fault;
    return outcome;
  }
  outcome.code = ReadFormCode(*text);
  if (!outcome.code) outcome.fault.message = "its form block has no closing \"End\"";
  return outcome;
}

FormFileReader::Outcome FormFileReader::ReadFile(const std::string& path) {
  // Read where the system holds it: a large form is neither copied nor given fresh pages.
  if (const std::unique_ptr<MappedFile> mapped = MappedFile::Map(path, kLargestFile)) {
    return Read(mapped->text());
  }
  Outcome outcome;
  std::optional<std::string> text = ReadText(path, outcome);
  if (!text) return outcome;
  return Read(*text);
}

std::optional<std::string> FormFileReader::ReadText(const std::string& path, Outcome& outcome) {
  outcome.unreadable = true;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    outcome.fault.message = "cannot be read: it is a folder";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    outcome.fault.message = fmt::format("cannot be read: {}", std::strerror(errno));
    return std::nullopt;
  }
  // A file of a known size within the limit is read whole into the text, without a copy
  // from a block in between; the rest, if any (a file that grew, a device), a block at a
  // time, so that an endless file is stopped at the limit.
  std::string text;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size <= kLargestFile) {
    text.resize(static_cast<std::size_t>(size));
    in.read(text.data(), static_cast<std::streamsize>(size));
    text.resize(static_cast<std::size_t>(in.gcount()));
  } else if (!error) {
    text.reserve(kLargestFile);
  }
  // Left uninitialised: each read fills what is used.
  constexpr std::size_t kBlock = std::size_t{1} << 16;
  const auto block = std::make_unique_for_overwrite<char[]>(kBlock);
  while (in.read(block.get(), static_cast<std::streamsize>(kBlock)) || in.gcount() > 0) {
    text.append(block.get(), static_cast<std::size_t>(in.gcount()));
    if (text.size() > kLargestFile) {
      outcome.unreadable = false;
      outcome.fault.message = "is larger than 256 MiB, which no form needs";
      return std::nullopt;
    }
  }
  if (in.bad()) {
    outcome.fault.message = fmt::format("cannot be read: {}", std::strerror(errno));
    return std::nullopt;
  }
  return text;
}

}  // namespace tavik::formfile
