// Inspecting form files: the environment runs them, the reverse-engineering dialog reads
// them back, and the command line plays the user's part and prints what the dialog shows.
#include "cli/inspect_command.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "base/exit_status.h"
#include "cli/command_line.h"
#include "controls/ctrl_desc.h"
#include "text/ascii_case.h"
#include "text/code_page.h"
#ifdef TAVIK_PREVIEW
#include "cli/preview_command.h"
#endif
#include "environment/environment_client.h"
#include "host/reverse_engineering_dialog.h"
#include "model/nx_property.h"
#include "model/nx_property_section.h"
#include "platform/platform.h"
#include "tavikfw/tavikfw.h"

namespace tavik::cli {

namespace {

using environment::EnvironmentClient;
using formfile::RunningForm;
using text::CodePage;

// Whether any of the eight bytes is below the blank or from 0x80 up, or a quote or a
// backslash. A borrow of a subtraction can only mark a byte above one that is marked itself,
// so the answer for the word is exact.
bool HasMarkedByte(std::uint64_t word) {
  constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighBits = kEachByte * 0x80;
  auto any_below = [](std::uint64_t bytes, std::uint64_t byte) {
    return (bytes - kEachByte * byte) & ~bytes & kHighBits;
  };
  return ((word & kHighBits) | any_below(word, ' ') | any_below(word ^ (kEachByte * '"'), 1) |
          any_below(word ^ (kEachByte * '\\'), 1)) != 0;
}

// Whether the text is printable ASCII without a quote or a backslash, which JSON shows as it
// stands: eight bytes at a time.
bool IsPlain(std::string_view text) {
  std::size_t at = 0;
  for (; text.size() - at >= sizeof(std::uint64_t); at += sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + at, sizeof word);
    if (HasMarkedByte(word)) return false;
  }
  // The last bytes: as the last eight, which the words before have partly passed already.
  if (at == text.size()) return true;
  if (text.size() >= sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + text.size() - sizeof word, sizeof word);
    return !HasMarkedByte(word);
  }
  static constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = ' '; c < 0x80; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
  }();
  for (; at < text.size(); ++at) {
    if (!kPlain[static_cast<unsigned char>(text[at])]) return false;
  }
  return true;
}

// The text of a form in UTF-8, as a code page reads it. Plain ASCII, which nearly every
// text of a form is, reads the same in UTF-8 in most code pages: it is taken as it stands
// rather than converted into a string of its own.
class Utf8Reader {
 public:
  explicit Utf8Reader(const CodePage& page)
      : page_(page), ascii_as_is_(page.ToUtf8(AsciiCharacters()) == AsciiCharacters()) {}

  // Whether the text was plain (IsPlain): then it stands in out as it was given. A text
  // that is not plain is tested for ASCII once more.
  bool Append(std::string& out, std::string_view text) const {
    if (ascii_as_is_ && IsPlain(text)) {
      out += text;
      return true;
    }
    if (ascii_as_is_ && IsAscii(text)) {
      out += text;
    } else {
      out += page_.ToUtf8(text);
    }
    return false;
  }
  // The end of out from start, converted in place; whether it was plain, as Append.
  bool ConvertFrom(std::string& out, std::size_t start) const {
    const std::string_view tail = std::string_view(out).substr(start);
    if (ascii_as_is_ && IsPlain(tail)) return true;
    if (ascii_as_is_ && IsAscii(tail)) return false;
    std::string converted = page_.ToUtf8(tail);
    out.resize(start);
    out += converted;
    return false;
  }

 private:
  // Eight bytes at a time: a name or a value is a few words long.
  static bool IsAscii(std::string_view text) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t at = 0;
    for (; text.size() - at >= sizeof kHighBits; at += sizeof kHighBits) {
      std::uint64_t word = 0;
      std::memcpy(&word, text.data() + at, sizeof word);
      if ((word & kHighBits) != 0) return false;
    }
    for (; at < text.size(); ++at) {
      if (static_cast<unsigned char>(text[at]) >= 0x80) return false;
    }
    return true;
  }
  static const std::string& AsciiCharacters() {
    static const std::string characters = [] {
      std::string all;
      for (int c = 1; c < 0x80; ++c) all += static_cast<char>(c);
      return all;
    }();
    return characters;
  }

  const CodePage& page_;
  bool ascii_as_is_;
};

// A control's properties as the dialog showed them, in UTF-8: the names and values in one
// text, in the order of their names, case ignored, those of one name as they came. A
// report is made for each of a form's thousands of controls: as a pair of strings each, its
// properties cost two strings made, converted and freed apiece.
class PropertyTexts {
 public:
  std::size_t size() const { return spans_.size(); }
  std::string_view Name(std::size_t index) const { return Text(spans_[index].name); }
  std::string_view Value(std::size_t index) const { return Text(spans_[index].value); }
  // Whether the name and the value are both plain (IsPlain); false when not known.
  bool Plain(std::size_t index) const { return spans_[index].plain; }

  void Clear() {
    text_.clear();
    spans_.clear();
  }
  // A property whose value append_value writes at the end of the string it is given.
  template <typename AppendValue>
  void Add(std::string_view name, const Utf8Reader& reader, AppendValue append_value) {
    Span span;
    span.name.at = text_.size();
    const bool plain_name = reader.Append(text_, name);
    span.name.size = text_.size() - span.name.at;
    span.order = OrderKey(Text(span.name));
    span.value.at = text_.size();
    append_value(text_);
    span.plain = reader.ConvertFrom(text_, span.value.at) && plain_name;
    span.value.size = text_.size() - span.value.at;
    spans_.push_back(span);
  }
  // A control has a dozen properties or so: they are put in place one by one, and a long
  // list is merged.
  void SortByName() {
    auto less = [&](const Span& a, const Span& b) {
      if (a.order != b.order) return a.order < b.order;
      return text::LessAsciiName(Text(a.name), Text(b.name));
    };
    constexpr std::size_t kPlacedOneByOne = 24;
    if (spans_.size() > kPlacedOneByOne) {
      std::ranges::stable_sort(spans_, less);
      return;
    }
    for (std::size_t i = 1; i < spans_.size(); ++i) {
      const Span placed = spans_[i];
      std::size_t at = i;
      for (; at > 0 && less(placed, spans_[at - 1]); --at) spans_[at] = spans_[at - 1];
      spans_[at] = placed;
    }
  }

 private:
  struct Piece {
    std::size_t at = 0;
    std::size_t size = 0;
  };
  struct Span {
    Piece name;
    Piece value;
    std::uint64_t order = 0;  // OrderKey of the name
    bool plain = false;
  };
  // A byte as text::LessAsciiName compares it.
  static std::uint64_t FoldedByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte;
  }
  // The first eight bytes of a name, case folded, as one number: names whose numbers differ
  // are in the order of their numbers; only those of the same number are compared whole.
  static std::uint64_t OrderKey(std::string_view name) {
    std::uint64_t key = 0;
    const std::size_t length = std::min<std::size_t>(name.size(), sizeof key);
    for (std::size_t i = 0; i < sizeof key; ++i) {
      key <<= 8;
      if (i < length) key |= FoldedByte(name[i]);
    }
    return key;
  }
  std::string_view Text(Piece piece) const {
    return std::string_view(text_).substr(piece.at, piece.size);
  }

  std::string text_;
  std::vector<Span> spans_;
};

// What the dialog showed for one control, and for the controls inside it; all text in UTF-8.
struct ControlReport {
  CtrlHandle handle = 0;
  std::string name;
  std::string class_name;
  PropertyTexts properties;
  std::vector<std::pair<std::string, std::string>> data_fields;  // field, table
  std::vector<ControlReport> children;
};

using DataFields = std::vector<std::pair<std::string, std::string>>;  // field, table
using DataFieldsByHandle = std::unordered_map<CtrlHandle, DataFields>;

struct Report {
  std::vector<std::string> forms;
  std::string form;
  std::vector<ControlReport> controls;
  std::optional<std::string> generated;
  // What the regenerated form could not keep as it was read.
  std::vector<std::string> changes;
};

// A control inside a container, without the controls inside it: the dialog lists only the
// form's own controls, so its properties are read from the descriptor, in the dialog's order.
// The report given is filled anew, its room kept.
void FillChildReport(ControlReport& report, const CCtrlDesc& control, const Utf8Reader& reader) {
  report.handle = control.GetCtrlHandle();
  report.name.clear();
  reader.Append(report.name, control.GetCtrlName());
  report.class_name.clear();
  reader.Append(report.class_name, control.GetClassName());
  report.properties.Clear();
  report.data_fields.clear();
  report.children.clear();
  for (const auto& property : control.GetPropertySection().GetPropertyList()) {
    report.properties.Add(property.GetName(), reader,
                          [&](std::string& out) { property.AppendText(out); });
  }
  report.properties.SortByName();
}

// The handles of every control inside the containers, at any depth.
void CollectChildHandles(const CCtrlDesc& control, std::unordered_set<CtrlHandle>& handles) {
  for (const ChildEntry& entry : control.GetGroupList()) {
    if (entry.present && entry.child) {
      handles.insert(entry.child->GetCtrlHandle());
      CollectChildHandles(*entry.child, handles);
    }
  }
}

void GiveDataFields(ControlReport& control, const DataFieldsByHandle& fields) {
  if (auto found = fields.find(control.handle); found != fields.end()) {
    control.data_fields = found->second;
  }
}

// What is written of the report as the dialog is read: the lists of forms first, then each
// control as it is read (a container's controls between its opening and its closing), then
// what generation made.
class ReportWriter {
 public:
  virtual ~ReportWriter() = default;
  virtual void Begin(const Report& report) = 0;
  // A control without its children, inside depth containers.
  virtual void OpenControl(const ControlReport& control, std::size_t depth) = 0;
  virtual void CloseControl() = 0;
  virtual void End(const Report& report) = 0;

  void Write(const Report& report) {
    Begin(report);
    for (const ControlReport& control : report.controls) WriteControl(control, 0);
    End(report);
  }

 private:
  void WriteControl(const ControlReport& control, std::size_t depth) {
    OpenControl(control, depth);
    for (const ControlReport& child : control.children) WriteControl(child, depth + 1);
    CloseControl();
  }
};

// Keeps the controls as a tree in the report, to be written once generation is done.
class ControlCollector : public ReportWriter {
 public:
  explicit ControlCollector(std::vector<ControlReport>& controls) : controls_(controls) {}
  void Begin(const Report& /*report*/) override {}
  void OpenControl(const ControlReport& control, std::size_t /*depth*/) override {
    std::vector<ControlReport>& siblings = open_.empty() ? controls_ : open_.back()->children;
    siblings.push_back(control);
    open_.push_back(&siblings.back());
  }
  void CloseControl() override { open_.pop_back(); }
  void End(const Report& /*report*/) override {}

 private:
  std::vector<ControlReport>& controls_;
  std::vector<ControlReport*> open_;  // the controls whose children are being read
};

// The user's part in the dialog, played from the options: choose the form, then either
// press Smart RE, or read every list and press Generate when asked, and close.
class ScriptedFrontend : public ReverseEngineeringFrontend {
 public:
  ScriptedFrontend(EnvironmentClient& environment, const InspectOptions& options,
                   const CodePage& page)
      : environment_(environment), options_(options), page_(page) {}

  void SetCollecting(bool collecting) { collecting_ = collecting; }
  // Controls go to the writer as they are read, rather than into the report.
  void SetWriter(ReportWriter* writer) { writer_ = writer; }
  // Whether the lists were read and their controls written.
  bool Written() const { return written_; }
  const Report& GetReport() const { return report_; }
  // A message for the user when the script could not be played, and its exit status.
  const std::string& Fault() const { return fault_; }
  int FaultStatus() const { return fault_status_; }
  Status GenerateStatus() const { return generate_status_; }

  TVK_HANDLE FindEnvironmentWindow() override { return environment_.MainWindow(); }

  void Run(CReverseEngineeringDlg& dialog, TVK_HANDLE /*owner*/) override {
    dialog.OnInitDialog();
    if (!ChooseForm(dialog)) {
      dialog.OnCancel();
      return;
    }
    if (collecting_) {
      dialog.OnSmartRE();
      return;
    }
    ReadLists(dialog);
    if (options_.generate_folder) Generate(dialog);
    dialog.OnOK();
  }

 private:
  // The running form the dialog lists under that name.
  const EnvironmentClient::RunningEntry* Running(std::string_view shown_name) {
    if (running_.empty()) {
      for (const auto& running : environment_.RunningForms()) {
        running_.emplace(running.shown_name, &running);
      }
    }
    auto found = running_.find(std::string(shown_name));
    return found == running_.end() ? nullptr : found->second;
  }

  // The text of a form in UTF-8: a form that began with a UTF-8 mark is in UTF-8.
  std::string Utf8(std::string_view text, std::string_view form) {
    const EnvironmentClient::RunningEntry* running = Running(form);
    return running && running->form->HasUtf8Mark() ? std::string(text) : page_.ToUtf8(text);
  }

  bool ChooseForm(CReverseEngineeringDlg& dialog) {
    if (dialog.FormCount() == 0) return Fail(kExitUsage, "no running form could be read");
    if (!options_.form_name) return true;
    for (std::size_t index = 0; index < dialog.FormCount(); ++index) {
      const std::string& name = dialog.FormName(index);
      if (!CodePage::Utf8().SameName(Utf8(name, name), *options_.form_name)) continue;
      if (dialog.SelectedForm() != index) dialog.OnFormSelected(index);
      return true;
    }
    return Fail(kExitUsage, fmt::format("no running form is named {}", *options_.form_name));
  }

  // The environment describes a data control twice: among the form's controls, in its place,
  // and among the form's data controls, which carry the data fields. The dialog lists both;
  // they are shown as one control, in its first place (inside its container, when it has
  // one), with the first data fields listed for it. Each control is handed to the writer, when
  // there is one, as soon as it is read, and not kept.
  void ReadLists(CReverseEngineeringDlg& dialog) {
    report_ = {};
    for (std::size_t i = 0; i < dialog.FormCount(); ++i) {
      report_.forms.push_back(Utf8(dialog.FormName(i), dialog.FormName(i)));
    }
    if (dialog.SelectedForm()) shown_form_ = dialog.FormName(*dialog.SelectedForm());
    report_.form = Utf8(shown_form_, shown_form_);
    const RunningEntry* running = Running(shown_form_);
    const CodePage page = running && running->form->HasUtf8Mark() ? CodePage::Utf8() : page_;
    std::unordered_set<CtrlHandle> inside;
    const DataFieldsByHandle fields = ReadDataFields(dialog, page, inside);
    ControlCollector collector(report_.controls);
    ReportWriter& out = writer_ ? *writer_ : collector;
    out.Begin(report_);
    written_ = writer_ != nullptr;
    std::unordered_set<CtrlHandle> listed;
    const Utf8Reader reader(page);
    ControlReport report;  // each control's in turn, its room kept
    for (std::size_t i = 0; i < dialog.ControlCount(); ++i) {
      const CCtrlDesc& control = dialog.ListedControl(i);
      const CtrlHandle handle = control.GetCtrlHandle();
      if (inside.contains(handle) || !listed.insert(handle).second) continue;
      dialog.OnControlSelected(i);
      report.handle = handle;
      report.name = page.ToUtf8(dialog.ControlName(i));
      report.class_name = page.ToUtf8(control.GetClassName());
      report.properties.Clear();
      for (std::size_t j = 0; j < dialog.PropertyCount(); ++j) {
        dialog.OnPropertySelected(j);
        report.properties.Add(dialog.PropertyName(j), reader,
                              [&](std::string& value) { value += dialog.Value(); });
      }
      report.data_fields.clear();
      GiveDataFields(report, fields);
      out.OpenControl(report, 0);
      ReadChildren(control, reader, fields, 1, out, report);
      out.CloseControl();
    }
  }

  // The controls inside a container, each with the controls inside it; each is reported in
  // the report given, once the writer has taken the one before.
  static void ReadChildren(const CCtrlDesc& container, const Utf8Reader& reader,
                           const DataFieldsByHandle& fields, std::size_t depth, ReportWriter& out,
                           ControlReport& report) {
    for (const ChildEntry& entry : container.GetGroupList()) {
      if (!entry.present || !entry.child) continue;
      FillChildReport(report, *entry.child, reader);
      GiveDataFields(report, fields);
      out.OpenControl(report, depth);
      ReadChildren(*entry.child, reader, fields, depth + 1, out, report);
      out.CloseControl();
    }
  }

  // The first data fields the dialog lists for each control (only a data control has them),
  // and the handles of the controls inside containers.
  static DataFieldsByHandle ReadDataFields(CReverseEngineeringDlg& dialog, const CodePage& page,
                                           std::unordered_set<CtrlHandle>& inside) {
    DataFieldsByHandle fields;
    for (std::size_t i = 0; i < dialog.ControlCount(); ++i) {
      const CCtrlDesc& control = dialog.ListedControl(i);
      CollectChildHandles(control, inside);
      if (!control.GetDataSource() || fields.contains(control.GetCtrlHandle())) continue;
      dialog.OnControlSelected(i);
      DataFields shown;
      for (const std::string& field : dialog.DataFields()) {
        auto tab = field.find('\t');
        shown.emplace_back(page.ToUtf8(field.substr(0, tab)),
                           tab == std::string::npos ? "" : page.ToUtf8(field.substr(tab + 1)));
      }
      if (!shown.empty()) fields.emplace(control.GetCtrlHandle(), std::move(shown));
    }
    return fields;
  }

  void Generate(CReverseEngineeringDlg& dialog) {
    // The new form is named after the one it was read from, and must not replace a file
    // being inspected.
    const RunningEntry* source = Running(shown_form_);
    if (!source) return;
    std::string target = environment_.PathInOutputFolder(environment_.FileNameFor(*source->form));
    for (const auto& running : environment_.RunningForms()) {
      std::error_code error;
      if (std::filesystem::equivalent(target, running.path, error)) {
        Fail(kExitUsage, fmt::format("the regenerated form would replace {}", running.path));
        return;
      }
    }
    environment_.RegenerateNextLiveFormFrom(*source->form);
    std::size_t saved = environment_.SavedPaths().size();
    generate_status_ = dialog.OnGenerate();
    // A form the library left unfinished is saved all the same.
    if (generate_status_ == kOk && environment_.UnfinishedFormCount() > 0) {
      generate_status_ = environment_.SaveUnfinishedForms();
    }
    if (environment_.SavedPaths().size() > saved) {
      report_.generated = page_.ToUtf8(environment_.SavedPaths().back());
      for (const std::string& change : environment_.Changes()) {
        report_.changes.push_back(page_.ToUtf8(change));
      }
    }
  }

  bool Fail(int status, std::string message) {
    fault_status_ = status;
    fault_ = std::move(message);
    return false;
  }

  using RunningEntry = EnvironmentClient::RunningEntry;

  EnvironmentClient& environment_;
  const InspectOptions& options_;
  const CodePage& page_;
  std::string shown_form_;  // the chosen form's name as the dialog lists it
  std::unordered_map<std::string, const RunningEntry*> running_;  // by the name listed
  bool collecting_ = false;
  ReportWriter* writer_ = nullptr;
  bool written_ = false;
  Report report_;
  std::string fault_;
  int fault_status_ = 0;
  Status generate_status_ = kOk;
};

std::string PropertyLine(std::size_t indent, std::string_view name, std::string_view value) {
  std::string line = fmt::format("{:{}}{:<20} {}", "", indent, name, value);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line + "\n";
}

// A control's lines, without the controls inside it.
void PrintControl(std::string& out, const ControlReport& control, std::size_t indent) {
  out += fmt::format("{:{}}{} ({})\n", "", indent, control.name, control.class_name);
  for (std::size_t i = 0; i < control.properties.size(); ++i) {
    out += PropertyLine(indent + 2, control.properties.Name(i), control.properties.Value(i));
  }
  if (!control.data_fields.empty()) {
    out += fmt::format("{:{}}Data Fields:\n", "", indent + 2);
    out += PropertyLine(indent + 4, "Field", "Table");
    for (const auto& [field, table] : control.data_fields) {
      out += PropertyLine(indent + 4, field, table);
    }
  }
}

// Output is written a block at a time, so that its whole text is never held.
constexpr std::size_t kOutputBlock = std::size_t{1} << 16;

void WriteOut(std::string& out) {
  std::fwrite(out.data(), 1, out.size(), stdout);
  out.clear();
}

// The report as the dialog's lists read, one control after another.
class TextWriter : public ReportWriter {
 public:
  void Begin(const Report& report) override {
    out_ = "Forms:\n";
    for (const std::string& form : report.forms) {
      out_ += fmt::format("{} {}\n", form == report.form ? '*' : ' ', form);
    }
    out_ += fmt::format("\nControls of {}:\n", report.form);
  }
  // A form's own control follows a blank line; the controls inside it are indented below it.
  void OpenControl(const ControlReport& control, std::size_t depth) override {
    if (depth == 0) out_ += "\n";
    PrintControl(out_, control, 2 * depth);
    if (out_.size() >= kOutputBlock) WriteOut(out_);
  }
  void CloseControl() override {}
  void End(const Report& report) override {
    if (report.generated) out_ += fmt::format("\nGenerated: {}\n", *report.generated);
    for (const std::string& change : report.changes) {
      out_ += fmt::format("  Not kept: {}\n", change);
    }
    WriteOut(out_);
  }

 private:
  std::string out_;
};

// The report as JSON, laid out as nlohmann-json's dump with an indent of two lays it out,
// written a block at a time as it is made: neither a tree of the whole report nor its whole
// text is held. A form read as UTF-8 (it began with the byte-order mark) may still hold
// bytes that are not: they are shown as the replacement character rather than ending the run.
// Each piece is copied into room made for it once: appended a character at a time, the
// text of a large form's million properties took more time than reading them.
class JsonText {
 public:
  JsonText() : out_(2 * kOutputBlock, '\0') {}

  // Ends the text with its line end and writes what is left of it.
  void Finish() {
    *Room(1) = '\n';
    ++used_;
    Flush();
  }

  void OpenObject() { Open('{'); }
  void CloseObject() { Close('}'); }
  void OpenArray() { Open('['); }
  void CloseArray() { Close(']'); }
  void Key(std::string_view key) {
    Item();
    AppendString(key);
    Append(": ");
    after_key_ = true;
  }
  void String(std::string_view text) {
    Item();
    AppendString(text);
    if (used_ >= kOutputBlock) Flush();
  }
  // A key and its text, as Key and String write them: a form's every property is one, so
  // plain ones are written in one piece.
  void Member(std::string_view key, std::string_view text, bool known_plain = false) {
    if (!known_plain && (!IsPlain(key) || !IsPlain(text))) {
      Key(key);
      String(text);
      return;
    }
    if (after_key_ || counts_.empty()) {
      Key(key);
      String(text);
      return;
    }
    // A member after the first takes a comma; each its own line, indented.
    const bool comma = counts_.back()++ > 0;
    const std::size_t indent = 2 * counts_.size();
    const std::size_t size = (comma ? 1 : 0) + 1 + indent + key.size() + text.size() + 6;
    char* at = Room(size);
    if (comma) *at++ = ',';
    *at++ = '\n';
    std::memset(at, ' ', indent);
    at += indent;
    *at++ = '"';
    std::memcpy(at, key.data(), key.size());
    at += key.size();
    std::memcpy(at, "\": \"", 4);
    at += 4;
    std::memcpy(at, text.data(), text.size());
    at[text.size()] = '"';
    used_ += size;
    if (used_ >= kOutputBlock) Flush();
  }

 private:
  // Room for size more bytes after those used; they count as used once written.
  char* Room(std::size_t size) {
    if (out_.size() - used_ < size) {
      Flush();
      if (out_.size() < size) out_.resize(size);
    }
    return out_.data() + used_;
  }
  void Flush() {
    std::fwrite(out_.data(), 1, used_, stdout);
    used_ = 0;
  }
  void Append(std::string_view piece) {
    std::memcpy(Room(piece.size()), piece.data(), piece.size());
    used_ += piece.size();
  }
  // A line break and the indent of the values open.
  void NewLine() {
    const std::size_t indent = 2 * counts_.size();
    char* at = Room(1 + indent);
    at[0] = '\n';
    std::memset(at + 1, ' ', indent);
    used_ += 1 + indent;
  }

  // Starts a value: after a key it follows on the line; in an array or object it takes a
  // line of its own, after a comma from the one before.
  void Item() {
    if (after_key_) {
      after_key_ = false;
      return;
    }
    if (counts_.empty()) return;
    if (counts_.back()++ > 0) {
      *Room(1) = ',';
      ++used_;
    }
    NewLine();
  }
  void Open(char bracket) {
    Item();
    *Room(1) = bracket;
    ++used_;
    counts_.push_back(0);
  }
  // An empty array or object closes on its own line's end: [] and {}.
  void Close(char bracket) {
    const bool empty = counts_.back() == 0;
    counts_.pop_back();
    if (!empty) NewLine();
    *Room(1) = bracket;
    ++used_;
  }
  // Printable ASCII other than the quote and the backslash stands as it is; any other text
  // is escaped (and bytes that are not UTF-8 replaced) by the library.
  void AppendString(std::string_view text) {
    if (!IsPlain(text)) {
      Append(nlohmann::ordered_json(text).dump(-1, ' ', false,
                                               nlohmann::ordered_json::error_handler_t::replace));
      return;
    }
    char* at = Room(text.size() + 2);
    at[0] = '"';
    if (!text.empty()) std::memcpy(at + 1, text.data(), text.size());
    at[text.size() + 1] = '"';
    used_ += text.size() + 2;
  }

  std::string out_;  // the text not yet written, in its first used_ bytes
  std::size_t used_ = 0;
  std::vector<std::size_t> counts_;  // the values so far of each open array or object
  bool after_key_ = false;
};

void WriteStrings(JsonText& json, std::string_view key, const std::vector<std::string>& texts) {
  json.Key(key);
  json.OpenArray();
  for (const std::string& text : texts) json.String(text);
  json.CloseArray();
}

// A property named twice is shown once, in its first place, with its last value. Names
// the same but for case stand together, in the order of the names: only among them is a
// name looked for again.
void WriteProperties(JsonText& json, const PropertyTexts& properties) {
  for (std::size_t begin = 0; begin < properties.size();) {
    std::size_t end = begin + 1;
    while (end < properties.size() &&
           text::SameAsciiName(properties.Name(begin), properties.Name(end))) {
      ++end;
    }
    if (end == begin + 1) {
      json.Member(properties.Name(begin), properties.Value(begin), properties.Plain(begin));
      begin = end;
      continue;
    }
    std::vector<std::pair<std::string_view, std::string_view>> shown;
    std::unordered_map<std::string_view, std::size_t> places;
    for (; begin < end; ++begin) {
      auto [place, added] = places.emplace(properties.Name(begin), shown.size());
      if (added) {
        shown.emplace_back(properties.Name(begin), properties.Value(begin));
      } else {
        shown[place->second].second = properties.Value(begin);
      }
    }
    for (const auto& [name, value] : shown) json.Member(name, value);
  }
}

// A control's object, open at its list of children.
void OpenControlObject(JsonText& json, const ControlReport& control) {
  json.OpenObject();
  json.Key("name");
  json.String(control.name);
  json.Key("class");
  json.String(control.class_name);
  json.Key("properties");
  json.OpenObject();
  WriteProperties(json, control.properties);
  json.CloseObject();
  json.Key("data_fields");
  json.OpenArray();
  for (const auto& [field, table] : control.data_fields) {
    json.OpenObject();
    json.Key("field");
    json.String(field);
    json.Key("table");
    json.String(table);
    json.CloseObject();
  }
  json.CloseArray();
  json.Key("children");
  json.OpenArray();
}

// The report in JSON: an object of the forms, the chosen form and its controls.
class JsonWriter : public ReportWriter {
 public:
  void Begin(const Report& report) override {
    json_.OpenObject();
    WriteStrings(json_, "forms", report.forms);
    json_.Key("form");
    json_.String(report.form);
    json_.Key("controls");
    json_.OpenArray();
  }
  void OpenControl(const ControlReport& control, std::size_t /*depth*/) override {
    OpenControlObject(json_, control);
  }
  void CloseControl() override {
    json_.CloseArray();
    json_.CloseObject();
  }
  void End(const Report& report) override {
    json_.CloseArray();
    if (report.generated) {
      json_.Key("generated");
      json_.String(*report.generated);
      WriteStrings(json_, "not_kept", report.changes);
    }
    json_.CloseObject();
    json_.Finish();
  }

 private:
  JsonText json_;
};

}  // namespace

namespace {

// A form whose fonts name a Charset of another code page than the one it is read in gets
// a hint, once.
void HintCharset(const std::string& path, const RunningForm& form, const CodePage& page) {
  if (form.HasUtf8Mark()) return;
  std::string_view hinted;
  auto look = [&](const formfile::PropertyList& properties) {
    for (const auto& property : properties) {
      std::string_view name = property.name;
      if (!hinted.empty() || !(name.ends_with(".Charset") || name == "FontCharset")) continue;
      int charset = std::atoi(property.text.c_str());
      std::string_view named = CodePage::OfCharset(charset);
      if (!named.empty() && !text::SameAsciiName(named, page.Name())) {
        hinted = named;
        fmt::print(stderr,
                   "tavikfw inspect: {}: its fonts name Charset {}; if its text reads wrong, "
                   "give --encoding {}\n",
                   path, charset, named);
      }
    }
  };
  look(form.Properties());
  form.ForEachControl([&](formfile::RunningControl& control) { look(control.properties); });
}

}  // namespace

int InspectCommand::Run() {
  std::optional<CodePage> page =
      CodePage::Named(options_.encoding ? *options_.encoding : CodePage::kDefault);
  if (!page) {
    fmt::print(stderr, "tavikfw inspect: --encoding: no code page is named {}\n",
               *options_.encoding);
    return kExitUsage;
  }
  EnvironmentClient environment(options_.version, options_.generate_folder.value_or(""));
  environment.SetReplaceExisting(options_.force);
  environment.SetCodePage(*page);
  if (!environment.Start()) {
    fmt::print(stderr, "tavikfw inspect: the environment could not be registered\n");
    return kExitUsage;
  }
  int file_status = 0;
  for (const std::string& path : options_.form_paths) {
    EnvironmentClient::Loaded loaded = environment.LoadFormFile(path);
    if (loaded.form) {
      if (!options_.encoding) HintCharset(path, *loaded.form, *page);
      continue;
    }
    if (loaded.fault.line > 0) {
      fmt::print(stderr, "tavikfw inspect: {}, line {}: {}\n", path, loaded.fault.line,
                 page->ToUtf8(loaded.fault.message));
    } else {
      fmt::print(stderr, "tavikfw inspect: {} {}\n", path, page->ToUtf8(loaded.fault.message));
    }
    if (file_status == 0)
      file_status = loaded.unreadable ? kExitModelUnreadable : kExitModelRefused;
  }
  if (environment.RunningForms().empty()) return file_status;
#ifdef TAVIK_PREVIEW
  if (options_.preview_folder) {
    for (const auto& running : environment.RunningForms()) {
      const int status =
          PreviewCommand::WriteInto(*options_.preview_folder, *running.form, *page, running.path);
      if (status != 0 && file_status == 0) file_status = status;
    }
  }
#endif

  // The dialog opens for the chosen form's window, or the first form's.
  TVK_HANDLE window = environment.RunningForms().front().window;
  for (const auto& running : environment.RunningForms()) {
    if (options_.form_name &&
        CodePage::Utf8().SameName(page->ToUtf8(running.shown_name), *options_.form_name)) {
      window = running.window;
    }
  }
  ScriptedFrontend frontend(environment, options_, *page);
  Platform platform = CurrentPlatform();
  platform.reverse_engineering_frontend = &frontend;
  ScopedPlatform scoped(platform);
  // Smart RE spans two openings: the first marks the forms and has the environment collect
  // their data sources, the second attaches them to the data controls.
  // The dialog's answer is the frontend's: its fault and generation status are read below.
  JsonWriter json;
  TextWriter text;
  ReportWriter* writer = options_.json ? static_cast<ReportWriter*>(&json) : &text;
  // Nothing can fail once the lists are read, unless a form is generated after: without
  // --generate the controls are written as they are read.
  const bool streamed = !options_.generate_folder;
  if (streamed) frontend.SetWriter(writer);
  // DoReverseEngineering answers with the dialog's end value; what went wrong is the
  // frontend's fault, read below.
  if (options_.smart_re) {
    frontend.SetCollecting(true);
    (void)DoReverseEngineering(window);
    frontend.SetCollecting(false);
  }
  if (frontend.Fault().empty()) (void)DoReverseEngineering(window);
  if (!frontend.Fault().empty()) {
    fmt::print(stderr, "tavikfw inspect: {}\n", frontend.Fault());
    return frontend.FaultStatus();
  }
  const Report& report = frontend.GetReport();
  if (frontend.Written()) {
    writer->End(report);
  } else {
    writer->Write(report);
  }
  if (!environment.Refusal().empty()) {
    fmt::print(stderr, "tavikfw inspect: {}{}\n", page->ToUtf8(environment.Refusal()),
               options_.force ? "" : " (--force replaces it)");
  }
  if (frontend.GenerateStatus() != kOk) return static_cast<int>(frontend.GenerateStatus());
  return file_status;
}

}  // namespace tavik::cli
