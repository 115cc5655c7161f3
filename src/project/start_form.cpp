// Writing the start-up form.
#include "project/start_form.h"

#include <algorithm>
#include <string_view>

#include "form/vb_fragment.h"

namespace tavik::project {

namespace {

// Twips.
constexpr int kMargin = 240;
constexpr int kButtonWidth = 3000;
constexpr int kButtonStep = 480;
constexpr int kPageButtonWidth = 1440;
// What the caption and borders add to the client area of a sizable window.
constexpr int kFrameWidth = 120;
constexpr int kFrameHeight = 405;

// The form indents by three blanks a level where fragments give a tab.
std::string ThreeBlankLevels(std::string_view fragment) {
  std::string text;
  text.reserve(fragment.size());
  bool line_start = true;
  for (char c : fragment) {
    if (line_start && c == '\t') {
      text += "   ";
      continue;
    }
    line_start = c == '\n';
    text += c;
  }
  return text;
}

std::string Quoted(std::string_view text) {
  return "\"" + VbStringText(text) + "\"";
}

// Version 3 writes the control classes without their library and a blank before a procedure's
// parameter list.
struct Dialect {
  std::string_view library;
  std::string_view gap;
  explicit Dialect(std::uint16_t version)
      : library(version == 3 ? "" : "VB."), gap(version == 3 ? " " : "") {}
};

std::string OpenButtons(const Dialect& dialect, const std::vector<StartForm::Entry>& entries,
                        int buttons) {
  std::string text;
  for (int i = 0; i < buttons; ++i) {
    text += VbFragment(R"(
        Begin $library$CommandButton cmdOpen
            Caption         =   $caption$
            Height          =   400
            Index           =   $index$
            Left            =   $left$
            TabIndex        =   $index$
            Top             =   $top$
            Width           =   $width$
        End
    )",
                       {{"library", dialect.library},
                        {"caption", Quoted(entries[static_cast<std::size_t>(i)].caption)},
                        {"index", std::to_string(i)},
                        {"left", std::to_string(kMargin)},
                        {"top", std::to_string(kMargin + i * kButtonStep)},
                        {"width", std::to_string(kButtonWidth)}});
  }
  return text;
}

// Both page buttons stay hidden when every form has its button on the one page.
std::string PageButtons(const Dialect& dialect, int buttons, bool paged) {
  const std::string_view captions[] = {"<< &Previous", "&Next >>"};
  const std::string hidden = paged ? "" : VbFragment(R"(
            Visible         =   0   'False
    )");
  std::string text;
  for (int i = 0; i < 2; ++i) {
    text += VbFragment(R"(
        Begin $library$CommandButton cmdPage
            Caption         =   $caption$
            Height          =   400
            Index           =   $index$
            Left            =   $left$
            TabIndex        =   $tab_index$
            Top             =   $top$
            $hidden$
            Width           =   $width$
        End
    )",
                       {{"library", dialect.library},
                        {"caption", Quoted(captions[i])},
                        {"index", std::to_string(i)},
                        {"left", std::to_string(kMargin + i * (kButtonWidth - kPageButtonWidth))},
                        {"tab_index", std::to_string(buttons + i)},
                        {"top", std::to_string(kMargin + buttons * kButtonStep)},
                        {"hidden", hidden},
                        {"width", std::to_string(kPageButtonWidth)}});
  }
  return text;
}

// "Case" lines of a "Select Case nForm": one per form, the statement that form's entry gives.
template <class Statement>
std::string CasesByNumber(const std::vector<StartForm::Entry>& entries, Statement statement) {
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    text += VbFragment(R"(
        Case $number$: $statement$
    )",
                       {{"number", std::to_string(i)}, {"statement", statement(entries[i])}});
  }
  return text;
}

// The code: the captions and the forms by number, one page of buttons at a time.
std::string Code(const Dialect& dialect, const std::vector<StartForm::Entry>& entries) {
  return VbFragment(
      R"(
    Option Explicit
    Const FORM_COUNT = $form_count$
    Const PAGE_SIZE = $page_size$
    Dim nFirstForm As Integer

    Sub cmdOpen_Click$gap$(Index As Integer)
        OpenForm nFirstForm + Index
    End Sub

    Sub cmdPage_Click$gap$(Index As Integer)
        If Index = 0 Then
            ShowPage nFirstForm - PAGE_SIZE
        Else
            ShowPage nFirstForm + PAGE_SIZE
        End If
    End Sub

    ' The caption of a form's button.
    Function FormCaption$gap$(ByVal nForm As Integer) As String
        Select Case nForm
        $captions$
        End Select
    End Function

    Sub Form_Load$gap$()
        ShowPage 0
    End Sub

    ' Shows a form; its Load event opens the database.
    Sub OpenForm$gap$(ByVal nForm As Integer)
        Screen.MousePointer = HOURGLASS
        Select Case nForm
        $shows$
        End Select
        Screen.MousePointer = ARROW
    End Sub

    ' Gives the buttons the forms from nFirst on.
    Sub ShowPage$gap$(ByVal nFirst As Integer)
        Dim nButton As Integer
        If nFirst < 0 Then nFirst = 0
        If nFirst >= FORM_COUNT Then Exit Sub
        nFirstForm = nFirst
        For nButton = 0 To PAGE_SIZE - 1
            If nFirst + nButton < FORM_COUNT Then
                cmdOpen(nButton).Caption = FormCaption(nFirst + nButton)
                cmdOpen(nButton).Visible = True
            Else
                cmdOpen(nButton).Visible = False
            End If
        Next
        cmdPage(0).Enabled = (nFirst > 0)
        cmdPage(1).Enabled = (nFirst + PAGE_SIZE < FORM_COUNT)
    End Sub
    )",
      {{"form_count", std::to_string(entries.size())},
       {"page_size", std::to_string(std::min(entries.size(), StartForm::kPageSize))},
       {"gap", dialect.gap},
       {"captions", CasesByNumber(entries,
                                  [](const StartForm::Entry& entry) {
                                    return "FormCaption = " + Quoted(entry.caption);
                                  })},
       {"shows", CasesByNumber(entries, [](const StartForm::Entry& entry) {
          return entry.form_name + ".Show";
        })}});
}

}  // namespace

std::string StartForm::Text(std::uint16_t version, const std::string& name,
                            const std::string& caption, const std::vector<Entry>& entries) {
  const Dialect dialect(version);
  const int buttons = static_cast<int>(std::min(entries.size(), kPageSize));
  const int client_width = 2 * kMargin + kButtonWidth;
  const int client_height = 2 * kMargin + (buttons + 1) * kButtonStep;
  const std::string attributes = version == 3 ? ""
                                              : VbFragment(R"(
    Attribute VB_Name = $name$
    Attribute VB_Creatable = False
    Attribute VB_Exposed = False
    )",
                                                           {{"name", Quoted(name)}});
  return ThreeBlankLevels(VbFragment(
      R"(
    VERSION $version$
    Begin $library$Form $name$
        Caption         =   $caption$
        ClientHeight    =   $client_height$
        ClientLeft      =   1095
        ClientTop       =   1515
        ClientWidth     =   $client_width$
        Height          =   $height$
        Left            =   1035
        LinkTopic       =   $link_topic$
        ScaleHeight     =   $client_height$
        ScaleWidth      =   $client_width$
        Top             =   1110
        Width           =   $width$
        $open_buttons$
        $page_buttons$
    End
    $attributes$
    $code$
    )",
      {{"version", version == 3 ? "2.00" : "4.00"},
       {"library", dialect.library},
       {"name", name},
       {"caption", Quoted(caption)},
       {"client_height", std::to_string(client_height)},
       {"client_width", std::to_string(client_width)},
       {"height", std::to_string(client_height + kFrameHeight)},
       {"link_topic", Quoted(name)},
       {"width", std::to_string(client_width + kFrameWidth)},
       {"open_buttons", OpenButtons(dialect, entries, buttons)},
       {"page_buttons", PageButtons(dialect, buttons, entries.size() > kPageSize)},
       {"attributes", attributes},
       {"code", Code(dialect, entries)}}));
}

}  // namespace tavik::project
