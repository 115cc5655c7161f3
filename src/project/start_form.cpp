// Writing the start-up form.
#include "project/start_form.h"

#include <fmt/format.h>

#include <algorithm>
#include <string_view>

namespace tavik::project {

namespace {

// Twips.
constexpr int kMargin = 240;
constexpr int kButtonWidth = 3000;
constexpr int kButtonHeight = 400;
constexpr int kButtonStep = 480;
constexpr int kPageButtonWidth = 1440;
// What the caption and borders add to the client area of a sizable window.
constexpr int kFrameWidth = 120;
constexpr int kFrameHeight = 405;

// A Visual Basic string literal: quotes inside are doubled.
std::string Literal(std::string_view text) {
  std::string literal = "\"";
  for (char c : text) {
    literal += c;
    if (c == '"') literal += '"';
  }
  return literal + "\"";
}

class FormText {
 public:
  explicit FormText(std::uint16_t version) : version_(version) {}

  void Line(int indent, std::string_view text) {
    text_.append(static_cast<std::size_t>(indent) * 3, ' ');
    text_ += text;
    text_ += "\r\n";
  }
  void Property(int indent, std::string_view name, std::string_view value) {
    Line(indent, fmt::format("{:<16}=   {}", name, value));
  }
  void Property(int indent, std::string_view name, int value) {
    Property(indent, name, std::to_string(value));
  }
  void Begin(int indent, std::string_view control_class, std::string_view name) {
    Line(indent, fmt::format("Begin {}{} {}", version_ == 3 ? "" : "VB.", control_class, name));
  }
  // A procedure's first line: version 3 writes a blank before the parameter list.
  void Procedure(std::string_view kind, std::string_view name, std::string_view parameters,
                 std::string_view returns = "") {
    Line(0,
         fmt::format("{} {}{}({}){}", kind, name, version_ == 3 ? " " : "", parameters, returns));
  }
  std::string Take() { return std::move(text_); }

 private:
  std::uint16_t version_;
  std::string text_;
};

void Buttons(FormText& form, const std::vector<StartForm::Entry>& entries, int buttons,
             bool paged) {
  for (int i = 0; i < buttons; ++i) {
    form.Begin(1, "CommandButton", "cmdOpen");
    form.Property(2, "Caption", Literal(entries[static_cast<std::size_t>(i)].caption));
    form.Property(2, "Height", kButtonHeight);
    form.Property(2, "Index", i);
    form.Property(2, "Left", kMargin);
    form.Property(2, "TabIndex", i);
    form.Property(2, "Top", kMargin + i * kButtonStep);
    form.Property(2, "Width", kButtonWidth);
    form.Line(1, "End");
  }
  const char* captions[] = {"<< &Previous", "&Next >>"};
  for (int i = 0; i < 2; ++i) {
    form.Begin(1, "CommandButton", "cmdPage");
    form.Property(2, "Caption", Literal(captions[i]));
    form.Property(2, "Height", kButtonHeight);
    form.Property(2, "Index", i);
    form.Property(2, "Left", kMargin + i * (kButtonWidth - kPageButtonWidth));
    form.Property(2, "TabIndex", buttons + i);
    form.Property(2, "Top", kMargin + buttons * kButtonStep);
    // Both stay hidden when every form has its button on the one page.
    if (!paged) form.Property(2, "Visible", "0   'False");
    form.Property(2, "Width", kPageButtonWidth);
    form.Line(1, "End");
  }
}

// "Select Case nForm" with one case per form, the statement that form's entry gives.
template <class Statement>
void SelectByNumber(FormText& form, const std::vector<StartForm::Entry>& entries,
                    Statement statement) {
  form.Line(1, "Select Case nForm");
  for (std::size_t i = 0; i < entries.size(); ++i) {
    form.Line(1, fmt::format("Case {}: {}", i, statement(entries[i])));
  }
  form.Line(1, "End Select");
}

// The code: the captions and the forms by number, one page of buttons at a time.
void Code(FormText& form, const std::vector<StartForm::Entry>& entries) {
  form.Line(0, "Option Explicit");
  form.Line(0, fmt::format("Const FORM_COUNT = {}", entries.size()));
  form.Line(0, fmt::format("Const PAGE_SIZE = {}", std::min(entries.size(), StartForm::kPageSize)));
  form.Line(0, "Dim nFirstForm As Integer");
  form.Line(0, "");
  form.Procedure("Sub", "cmdOpen_Click", "Index As Integer");
  form.Line(1, "OpenForm nFirstForm + Index");
  form.Line(0, "End Sub");
  form.Line(0, "");
  form.Procedure("Sub", "cmdPage_Click", "Index As Integer");
  form.Line(1, "If Index = 0 Then");
  form.Line(2, "ShowPage nFirstForm - PAGE_SIZE");
  form.Line(1, "Else");
  form.Line(2, "ShowPage nFirstForm + PAGE_SIZE");
  form.Line(1, "End If");
  form.Line(0, "End Sub");
  form.Line(0, "");
  form.Line(0, "' The caption of a form's button.");
  form.Procedure("Function", "FormCaption", "ByVal nForm As Integer", " As String");
  SelectByNumber(form, entries, [](const StartForm::Entry& entry) {
    return "FormCaption = " + Literal(entry.caption);
  });
  form.Line(0, "End Function");
  form.Line(0, "");
  form.Procedure("Sub", "Form_Load", "");
  form.Line(1, "ShowPage 0");
  form.Line(0, "End Sub");
  form.Line(0, "");
  form.Line(0, "' Shows a form; its Load event opens the database.");
  form.Procedure("Sub", "OpenForm", "ByVal nForm As Integer");
  form.Line(1, "Screen.MousePointer = HOURGLASS");
  SelectByNumber(form, entries,
                 [](const StartForm::Entry& entry) { return entry.form_name + ".Show"; });
  form.Line(1, "Screen.MousePointer = ARROW");
  form.Line(0, "End Sub");
  form.Line(0, "");
  form.Line(0, "' Gives the buttons the forms from nFirst on.");
  form.Procedure("Sub", "ShowPage", "ByVal nFirst As Integer");
  form.Line(1, "Dim nButton As Integer");
  form.Line(1, "If nFirst < 0 Then nFirst = 0");
  form.Line(1, "If nFirst >= FORM_COUNT Then Exit Sub");
  form.Line(1, "nFirstForm = nFirst");
  form.Line(1, "For nButton = 0 To PAGE_SIZE - 1");
  form.Line(2, "If nFirst + nButton < FORM_COUNT Then");
  form.Line(3, "cmdOpen(nButton).Caption = FormCaption(nFirst + nButton)");
  form.Line(3, "cmdOpen(nButton).Visible = True");
  form.Line(2, "Else");
  form.Line(3, "cmdOpen(nButton).Visible = False");
  form.Line(2, "End If");
  form.Line(1, "Next");
  form.Line(1, "cmdPage(0).Enabled = (nFirst > 0)");
  form.Line(1, "cmdPage(1).Enabled = (nFirst + PAGE_SIZE < FORM_COUNT)");
  form.Line(0, "End Sub");
}

}  // namespace

std::string StartForm::Text(std::uint16_t version, const std::string& name,
                            const std::string& caption, const std::vector<Entry>& entries) {
  const int buttons = static_cast<int>(std::min(entries.size(), kPageSize));
  const int client_width = 2 * kMargin + kButtonWidth;
  const int client_height = 2 * kMargin + (buttons + 1) * kButtonStep;
  FormText form(version);
  form.Line(0, version == 3 ? "VERSION 2.00" : "VERSION 4.00");
  form.Begin(0, "Form", name);
  form.Property(1, "Caption", Literal(caption));
  form.Property(1, "ClientHeight", client_height);
  form.Property(1, "ClientLeft", 1095);
  form.Property(1, "ClientTop", 1515);
  form.Property(1, "ClientWidth", client_width);
  form.Property(1, "Height", client_height + kFrameHeight);
  form.Property(1, "Left", 1035);
  form.Property(1, "LinkTopic", Literal(name));
  form.Property(1, "ScaleHeight", client_height);
  form.Property(1, "ScaleWidth", client_width);
  form.Property(1, "Top", 1110);
  form.Property(1, "Width", client_width + kFrameWidth);
  Buttons(form, entries, buttons, entries.size() > kPageSize);
  form.Line(0, "End");
  if (version != 3) {
    form.Line(0, "Attribute VB_Name = " + Literal(name));
    form.Line(0, "Attribute VB_Creatable = False");
    form.Line(0, "Attribute VB_Exposed = False");
  }
  Code(form, entries);
  return form.Take();
}

}  // namespace tavik::project
