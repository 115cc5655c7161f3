// Writing the start-up form.
#include "project/start_form.h"

#include <fmt/format.h>

#include <algorithm>
#include <string_view>

#include "form/vb_fragment.h"
#include "formfile/block_printer.h"
#include "text/ascii_case.h"

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
  return "\"" + VbStringText(text) + "\"";
}

// A command button of the start-up form, element index of its control array.
struct Button {
  std::string_view name;
  std::string_view caption;
  int index;
  int tab_index;
  int left;
  int top;
  int width;
  bool visible;
};

// Version 4 names the classes of its controls by their library.
std::string ClassName(std::uint16_t version, std::string_view control_class) {
  return (version == 3 ? "" : "VB.") + std::string(control_class);
}

void WriteButton(formfile::BlockPrinter& form, std::uint16_t version, const Button& button) {
  form.Begin(ClassName(version, "CommandButton"), button.name);
  form.Property("Caption", VbStringText(button.caption), /*quoted=*/true);
  form.Property("Height", std::to_string(kButtonHeight), false);
  form.Property("Index", std::to_string(button.index), false);
  form.Property("Left", std::to_string(button.left), false);
  form.Property("TabIndex", std::to_string(button.tab_index), false);
  form.Property("Top", std::to_string(button.top), false);
  if (!button.visible) form.Property("Visible", "0", false, "   'False");
  form.Property("Width", std::to_string(button.width), false);
  form.End();
}

void Buttons(formfile::BlockPrinter& form, std::uint16_t version,
             const std::vector<StartForm::Entry>& entries, int buttons, bool paged) {
  for (int i = 0; i < buttons; ++i) {
    WriteButton(form, version,
                {"cmdOpen", entries[static_cast<std::size_t>(i)].caption, i, i, kMargin,
                 kMargin + i * kButtonStep, kButtonWidth, true});
  }
  const char* captions[] = {"<< &Previous", "&Next >>"};
  for (int i = 0; i < 2; ++i) {
    // Both stay hidden when every form has its button on the one page.
    WriteButton(
        form, version,
        {"cmdPage", captions[i], i, buttons + i, kMargin + i * (kButtonWidth - kPageButtonWidth),
         kMargin + buttons * kButtonStep, kPageButtonWidth, paged});
  }
}

// Leading tabs as three blanks each.
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

// The ODBC data source the connect string names, or empty.
std::string DataSource(const std::string& connect) {
  const std::string upper = text::AsciiUppered(connect);
  const std::size_t dsn = upper.find("DSN=");
  if (!upper.starts_with("ODBC;") || dsn == std::string::npos) return {};
  const std::size_t start = dsn + 4;
  return connect.substr(start, upper.find(';', start) - start);
}

bool OnServer(StartForm::Driver driver) {
  return driver == StartForm::Driver::kPostgresql || driver == StartForm::Driver::kMariadb;
}

// What to set up on the machine that runs the project so that the database opens.
std::string SetupAdvice(const StartForm::Database& database) {
  if (database.connect.empty()) {
    return "The file must be there, in a format this version of Visual Basic opens.";
  }
  const std::string source = DataSource(database.connect);
  if (source.empty()) return "Check its connect string, " + database.connect + ".";
  const auto advice = [&](std::string_view driver, std::string_view where) {
    return fmt::format(
        "Set up the ODBC data source {0} once on this computer: install {1}, then add {0} in "
        "the ODBC control panel, {2}.",
        source, driver, where);
  };
  // A server's data source names where the database is; a file's, the file.
  constexpr std::string_view kServer = "naming the server, its port, the database and the user";
  switch (database.driver) {
    case StartForm::Driver::kPostgresql:
      return advice("the PostgreSQL ODBC driver (psqlODBC)", kServer);
    case StartForm::Driver::kMariadb:
      return advice("the MariaDB ODBC driver (MariaDB Connector/ODBC)", kServer);
    case StartForm::Driver::kSqlite:
      return advice("the SQLite ODBC driver", "pointing at the database file");
    case StartForm::Driver::kFiles:
      break;
  }
  return advice("the database's ODBC driver", "pointing at the database file");
}

// The start of the message that the database cannot be opened, as Visual Basic text: a
// server's database by its data source, since the forms name no database.
std::string DatabaseTitle(const StartForm::Database& database) {
  const std::string source = DataSource(database.connect);
  if (OnServer(database.driver) && database.name.empty() && !source.empty()) {
    return Literal("The ODBC data source " + source);
  }
  return "\"The database \" & " + VbDatabaseName(database.name, true);
}

// Opens the database the forms open, so that one that cannot be opened is told at the
// start, with what to set up, and not as each form's error.
std::string DatabaseCheck(std::uint16_t version, const StartForm::Database& database,
                          const std::string& title) {
  const std::string name = VbDatabaseName(database.name, true);
  return VbFragment(R"(

    ' Tries the database the forms open, and says what to set up when it does not open.
    Sub CheckDatabase$gap$()
        Dim dbCheck As Database
        On Error GoTo CheckDatabase_Failed
        Set dbCheck = OpenDatabase($name$, FALSE, FALSE, $connect$)
        dbCheck.Close
        Exit Sub

    CheckDatabase_Failed:
        MsgBox $title_of_database$ & " cannot be opened: " & Error$$ & "." & Chr$$(13) & Chr$$(10) & $advice$, 48, $title$
        Exit Sub
    End Sub
    )",
                    {{"gap", version == 3 ? " " : ""},
                     {"name", name},
                     {"title_of_database", DatabaseTitle(database)},
                     {"connect", Literal(database.connect)},
                     {"advice", Literal(SetupAdvice(database))},
                     {"title", Literal(title)}});
}

// The code: the captions and the forms by number, one page of buttons at a time. Version 3
// writes a blank before a procedure's parameter list.
std::string Code(std::uint16_t version, const std::vector<StartForm::Entry>& entries,
                 const std::string& check) {
  std::string captions;
  std::string shows;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string number = std::to_string(i);
    captions += VbFragment(R"(
        Case $number$: FormCaption = $caption$
    )",
                           {{"number", number}, {"caption", Literal(entries[i].caption)}});
    shows += VbFragment(R"(
        Case $number$: $form$.Show
    )",
                        {{"number", number}, {"form", entries[i].form_name}});
  }
  return ThreeBlankLevels(VbFragment(
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
        CheckDatabase
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
    $check$
    )",
      {{"form_count", std::to_string(entries.size())},
       {"page_size", std::to_string(std::min(entries.size(), StartForm::kPageSize))},
       {"gap", version == 3 ? " " : ""},
       {"captions", captions},
       {"shows", shows},
       {"check", check}}));
}

}  // namespace

std::string StartForm::Text(std::uint16_t version, const std::string& name,
                            const std::string& caption, const std::vector<Entry>& entries,
                            const Database& database, formfile::FormTally* tally) {
  const int buttons = static_cast<int>(std::min(entries.size(), kPageSize));
  const int client_width = 2 * kMargin + kButtonWidth;
  const int client_height = 2 * kMargin + (buttons + 1) * kButtonStep;
  std::string text;
  formfile::BlockPrinter form(text, formfile::kVisualBasicLayout);
  form.Version(version == 3 ? "2.00" : "4.00");
  form.Begin(ClassName(version, "Form"), name);
  const auto number = [&form](std::string_view property, int value) {
    form.Property(property, std::to_string(value), false);
  };
  form.Property("Caption", VbStringText(caption), /*quoted=*/true);
  number("ClientHeight", client_height);
  number("ClientLeft", 1095);
  number("ClientTop", 1515);
  number("ClientWidth", client_width);
  number("Height", client_height + kFrameHeight);
  number("Left", 1035);
  form.Property("LinkTopic", VbStringText(name), /*quoted=*/true);
  number("ScaleHeight", client_height);
  number("ScaleWidth", client_width);
  number("Top", 1110);
  number("Width", client_width + kFrameWidth);
  Buttons(form, version, entries, buttons, entries.size() > kPageSize);
  form.End();
  if (version != 3) {
    form.Line("Attribute VB_Name = " + Literal(name));
    form.Line("Attribute VB_Creatable = False");
    form.Line("Attribute VB_Exposed = False");
  }
  form.Code(Code(version, entries, DatabaseCheck(version, database, caption)));
  if (tally) *tally = form.TakeTally();
  return text;
}

}  // namespace tavik::project
