// Finding what in a form text is beyond Visual Basic's limits.
#include "formfile/form_limits.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_set>

#include "text/ascii_case.h"

namespace tavik::formfile {

namespace {

// The panel that holds the controls of a form too large for the screen; the form's scroll
// bars move it.
constexpr std::string_view kScrollPanel = "tvkSSPanel";

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && (line.front() == '\t' || line.front() == ' ')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
  return line;
}

// Whether the line, past its indent, may begin or end something: "Begin", "End ...".
bool OpensOrCloses(std::string_view raw) {
  std::size_t indent = 0;
  while (indent < raw.size() && (raw[indent] == '\t' || raw[indent] == ' ')) ++indent;
  return indent < raw.size() && (raw[indent] == 'B' || raw[indent] == 'E');
}

// The whole-number value of a "Name = value" property line named name.
std::optional<long> PropertyNumber(std::string_view line, std::string_view name) {
  if (!line.starts_with(name)) return std::nullopt;
  std::string_view rest = Trimmed(line.substr(name.size()));
  if (!rest.starts_with('=')) return std::nullopt;
  rest = Trimmed(rest.substr(1));
  long value = 0;
  auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
  return error == std::errc() ? std::optional(value) : std::nullopt;
}

// The procedure a code line opens ("Sub Name(...)", "Private Function Name(...)"), if any.
std::optional<std::string_view> OpenedProcedure(std::string_view line) {
  for (std::string_view word : {"Private ", "Public ", "Static "}) {
    if (line.starts_with(word)) line.remove_prefix(word.size());
  }
  for (std::string_view kind : {"Sub ", "Function "}) {
    if (line.starts_with(kind)) {
      line.remove_prefix(kind.size());
      return line.substr(0, line.find('('));
    }
  }
  return std::nullopt;
}

}  // namespace

// Most lines are properties and statements that no limit reads: only a line that begins or
// ends a block, a property of the scrolled panel, or the first line of a procedure has its
// text looked at.
void FormLimits::Line(std::string_view raw) {
  if (depth_ > 0 || !form_read_) {
    if (!in_panel_ && !OpensOrCloses(raw)) return;
    return FormLine(Trimmed(raw));
  }
  if (procedure_) {
    procedure_->second += raw.size() + 1;
    if (OpensOrCloses(raw)) CloseProcedure(Trimmed(raw));
    return;
  }
  OpenProcedure(raw);
}

void FormLimits::OpenProcedure(std::string_view raw) {
  if (auto opened = OpenedProcedure(Trimmed(raw))) {
    procedure_ = std::pair(std::string(*opened), raw.size() + 1);
    if (version_ == 3) CheckNameLength(Trimmed(*opened), "procedure");
  }
}

void FormLimits::CheckNameLength(std::string_view name, std::string_view what) {
  if (name.size() <= kMaxNameLength) return;
  long_names_.push_back(
      fmt::format("the {} name {} is {} characters long, more than the {} Visual Basic {} takes",
                  what, name, name.size(), kMaxNameLength, version_ == 3 ? 3 : 4));
}

std::vector<std::string> FormLimits::Warnings() const {
  std::vector<std::string> warnings = long_names_;
  if (control_names_.size() > FormLimits::kMaxControlNames) {
    warnings.push_back(
        fmt::format("the form has {} control names, more than the {} Visual "
                    "Basic loads; {}",
                    control_names_.size(), FormLimits::kMaxControlNames, remedy_));
  }
  for (const auto& [size, how] :
       {std::pair(panel_height_, "tall"), std::pair(panel_width_, "wide")}) {
    if (size <= FormLimits::kMaxScrollRange) continue;
    warnings.push_back(
        fmt::format("the scrolled panel is {} twips {}, more than the {} a scroll "
                    "bar reaches; {}",
                    size, how, FormLimits::kMaxScrollRange, remedy_));
  }
  for (const auto& [name, bytes] : long_procedures_) {
    warnings.push_back(
        fmt::format("the procedure {} is {} bytes long, more than the {} Visual "
                    "Basic compiles; {}",
                    name, bytes, FormLimits::kMaxProcedureBytes, remedy_));
  }
  return warnings;
}

void FormLimits::FormLine(std::string_view line) {
  if (line.starts_with("Begin ")) {
    std::string_view rest = line.substr(6);
    std::string_view name = Trimmed(rest.substr(std::min(rest.find(' '), rest.size())));
    // The form itself is not one of its controls.
    if (depth_ > 0) {
      control_names_.insert(text::AsciiUppered(name));
      ++control_blocks_;
      classes_.emplace(rest.substr(0, std::min(rest.find(' '), rest.size())));
    }
    CheckNameLength(name, depth_ > 0 ? "control" : "form");
    in_panel_ = name == kScrollPanel;
    ++depth_;
    form_read_ = true;
  } else if (line == "End") {
    --depth_;
    in_panel_ = false;
  } else if (in_panel_) {
    if (auto height = PropertyNumber(line, "Height")) panel_height_ = *height;
    if (auto width = PropertyNumber(line, "Width")) panel_width_ = *width;
  }
}

void FormLimits::CloseProcedure(std::string_view line) {
  if (line != "End Sub" && line != "End Function") return;
  if (procedure_->second > FormLimits::kMaxProcedureBytes) long_procedures_.push_back(*procedure_);
  procedure_.reset();
}

void FormLimits::Read(std::string_view piece) {
  for (std::size_t end = piece.find('\n'); end != std::string_view::npos; end = piece.find('\n')) {
    if (partial_line_.empty()) {
      Line(piece.substr(0, end));
    } else {
      partial_line_.append(piece.substr(0, end));
      Line(partial_line_);
      partial_line_.clear();
    }
    piece.remove_prefix(end + 1);
  }
  partial_line_.append(piece);
}

std::vector<std::string> FormLimits::Finish() {
  if (!partial_line_.empty()) Line(partial_line_);
  partial_line_.clear();
  return Warnings();
}

FormLimits::Reading FormLimits::Measure(std::string_view form_text, std::uint16_t version,
                                        std::string_view remedy) {
  FormLimits reading(version, remedy);
  reading.Read(form_text);
  std::vector<std::string> warnings = reading.Finish();
  return {std::move(warnings), reading.control_blocks_, std::move(reading.classes_)};
}

std::vector<std::string> FormLimits::Check(std::string_view form_text, std::uint16_t version,
                                           std::string_view remedy) {
  return Measure(form_text, version, remedy).warnings;
}

std::vector<std::string> FormLimits::Check(std::istream& form_file, std::uint16_t version,
                                           std::string_view remedy) {
  constexpr std::size_t kPieceSize = 1 << 16;
  std::vector<char> piece(kPieceSize);
  FormLimits reading(version, remedy);
  while (form_file.read(piece.data(), static_cast<std::streamsize>(piece.size())) ||
         form_file.gcount() > 0) {
    reading.Read(std::string_view(piece.data(), static_cast<std::size_t>(form_file.gcount())));
  }
  return reading.Finish();
}

}  // namespace tavik::formfile
