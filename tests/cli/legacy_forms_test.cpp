// Forms as Visual Basic 6 saves them, inspected and regenerated: every control at every
// depth, every value as it was written, no file replaced, any code page.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "fakes/cli_run.h"

namespace fs = std::filesystem;

namespace {

using tavik::testing::CliResult;
using tavik::testing::ReadWholeFile;

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) text.append(line).append("\r\n");
  return text;
}

// An MDI child's form block as Visual Basic writes it: a tab control holding a frame that
// holds a data control and a text box bound to it, a menu with a shortcut, property groups,
// fractional values and a ".frx" reference. Code follows it.
std::string Block(std::string_view name) {
  return Lines({"VERSION 5.00",
                R"(Object = "{BDC217C8-ED16-11CD-956C-0000C04E4C0A}#1.1#0"; "TABCTL32.OCX")",
                "Begin VB.MDIForm " + std::string(name),
                R"(   Caption         =   "Notes")",
                "   ScaleHeight     =   15.009",
                "   BeginProperty Font",
                R"(      Name            =   "MS Sans Serif")",
                "      Size            =   8.25",
                "   EndProperty",
                R"(   Icon            =   "notes.frx":0000)",
                "   Begin TabDlg.SSTab tabMain",
                R"(      TabCaption(0)   =   "First")",
                "      Begin VB.Frame fraOne",
                "         Begin VB.Data datT",
                "            Index           =   0",
                "         End",
                "         Begin VB.TextBox txtName",
                R"(            DataField       =   "Título")",
                R"(            DataSource      =   "datT")",
                "            BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851}",
                "               Size            =   9.75",
                "            EndProperty",
                "         End",
                "      End",
                "   End",
                "   Begin VB.Menu mnuSave",
                R"(      Caption         =   "&Save")",
                "      Shortcut        =   ^S",
                "   End",
                "End",
                "Attribute VB_Name = \"" + std::string(name) + "\""});
}

std::string Code(std::string_view record_source) {
  return Lines({"Private Sub Form_Load()", "   With datT", "      .RecordSource = \"SELECT \" & _",
                "         \"" + std::string(record_source) + "\"", "   End With", "End Sub"});
}

std::size_t Count(const std::string& text, std::string_view word) {
  std::size_t count = 0;
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
  return count;
}

std::size_t CountControls(const nlohmann::json& controls) {
  std::size_t count = controls.size();
  for (const auto& control : controls) count += CountControls(control.at("children"));
  return count;
}

class LegacyFormsTest : public tavik::testing::CliTest {};

TEST_F(LegacyFormsTest, EveryControlAndValueComesBackAndNoFileIsReplaced) {
  Write("birth.frm", Block("frmFathersNotesBirth") + Code("Título FROM Títulos"));
  Write("child.frm", Block("frmFathersNotesChild"));
  CliResult shown = Run("inspect birth.frm child.frm --json --encoding UTF-8");
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(CountControls(nlohmann::json::parse(shown.out).at("controls")),
            Count(Block(""), "Begin ") - 1);

  // Forms that share eight characters get distinct files; each is its form as it was read,
  // code and all. A ".frx" file that is not beside the form leaves its reference as written.
  CliResult first = Run("inspect birth.frm child.frm --generate out");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_NE(first.out.find("\n  Not kept: notes.frx is not beside the form; its 1 value is kept "
                           "as written\n"),
            std::string::npos)
      << first.out;
  const std::string birth = Block("frmFathersNotesBirth") + Code("Título FROM Títulos");
  EXPECT_EQ(ReadWholeFile(dir_ / "out/frmFath1.FRM"), birth);

  // The ".frx" file is found as Visual Basic finds it, whatever the case of its name, and
  // goes beside the new form under the new form's name.
  Write("NOTES.FRX", std::string("\0\x01icon", 6));
  CliResult child = Run("inspect birth.frm child.frm --form frmFathersNotesChild --generate out");
  ASSERT_EQ(child.status, 0) << child.err;
  EXPECT_EQ(child.out.find("Not kept"), std::string::npos) << child.out;
  std::string renamed = Block("frmFathersNotesChild");
  renamed.replace(renamed.find("notes.frx"), 9, "frmFath2.frx");
  EXPECT_EQ(ReadWholeFile(dir_ / "out/frmFath2.FRM"), renamed);
  EXPECT_EQ(ReadWholeFile(dir_ / "out/frmFath2.frx"), std::string("\0\x01icon", 6));

  // A file that is there is not replaced, unless forced; a name that differs only in case
  // is that file, replaced under the new spelling.
  fs::rename(dir_ / "out/frmFath1.FRM", dir_ / "out/FRMFATH1.frm");
  CliResult again = Run("inspect birth.frm child.frm --generate out");
  EXPECT_EQ(again.status, 73);
  EXPECT_NE(again.err.find("FRMFATH1.frm exists"), std::string::npos) << again.err;
  EXPECT_EQ(ReadWholeFile(dir_ / "out/FRMFATH1.frm"), birth);
  EXPECT_EQ(Run("inspect birth.frm child.frm --generate out --force").status, 0);
  std::string birth_beside = birth;
  birth_beside.replace(birth_beside.find("notes.frx"), 9, "frmFath1.frx");
  EXPECT_EQ(ReadWholeFile(dir_ / "out/frmFath1.FRM"), birth_beside);
  EXPECT_FALSE(fs::exists(dir_ / "out/FRMFATH1.frm"));
}

nlohmann::json DataFields(const nlohmann::json& controls, const std::string& name) {
  for (const auto& control : controls) {
    if (control.at("name") == name) return control.at("data_fields");
    if (auto fields = DataFields(control.at("children"), name); !fields.is_null()) return fields;
  }
  return {};
}

TEST_F(LegacyFormsTest, SmartReReadsWhatAPersonReads) {
  struct Case {
    const char* what;
    std::string code;
    const char* fields;
  };
  const Case cases[] = {
      {"letters beyond ASCII", Code("Título FROM Títulos"),
       R"([{"field": "Título", "table": "Títulos"}])"},
      {"brackets", Code("[Order Details].[Título] FROM [Order Details]"),
       R"([{"field": "Título", "table": "Order Details"}])"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    // The same form twice: each is listed, and the chosen one collected.
    Write("a.frm", "\xEF\xBB\xBF" + Block("frmNotes") + test.code);
    CliResult result = Run("inspect a.frm a.frm --smart-re --json --form \"frmNotes (2)\"");
    ASSERT_EQ(result.status, 0) << result.err;
    nlohmann::json shown = nlohmann::json::parse(result.out);
    EXPECT_EQ(shown.at("forms"), nlohmann::json::parse(R"j(["frmNotes", "frmNotes (2)"])j"));
    EXPECT_EQ(DataFields(shown.at("controls"), "datT"), nlohmann::json::parse(test.fields));
  }

  // A grid bound through its binding block to the form's remote data control, with its SQL.
  Write("rdc.frm", Lines({"VERSION 5.00", "Begin VB.Form frmR", "   Begin MSRDC.MSRDC rdc",
                          R"(      SQL             =   "SELECT A, B FROM T")", "   End",
                          "   Begin MSDataGridLib.DataGrid grd",
                          R"(      Bindings        =   "rdc.frx":0000)", "   End", "End"}));
  CliResult grid = Run("inspect rdc.frm --smart-re --json");
  EXPECT_EQ(
      DataFields(nlohmann::json::parse(grid.out).at("controls"), "rdc"),
      nlohmann::json::parse(R"([{"field": "A", "table": "T"}, {"field": "B", "table": "T"}])"));
}

TEST_F(LegacyFormsTest, AnyCodePageIsShownInUtf8AndWrittenBackInItsOwn) {
  // "Заказ" in Windows-1251, "订单" in GBK; the second saved with carriage returns alone.
  std::string cyrillic = "\xC7\xE0\xEA\xE0\xE7", chinese = "\xB6\xA9\xB5\xA5";
  std::string form =
      Lines({"VERSION 5.00", "Begin VB.Form frmC", "   Begin VB.Label lbl",
             "      Caption         =   \"@\"", "      BeginProperty Font ",
             "         Charset         =   #", "      EndProperty", "   End", "End"});
  struct Case {
    const char* page;
    std::string text;
    const char* charset;
    const char* shown;
  };
  for (const Case& test :
       {Case{"CP1251", cyrillic, "204", "Заказ"}, Case{"GBK", chinese, "134", "订单"}}) {
    SCOPED_TRACE(test.page);
    std::string text = form;
    text.replace(text.find('@'), 1, test.text).replace(text.find('#'), 1, test.charset);
    if (test.page == std::string("GBK")) std::erase(text, '\n');
    Write("c.frm", text);
    CliResult hinted = Run("inspect c.frm");
    EXPECT_NE(hinted.err.find(std::string("give --encoding ") + test.page), std::string::npos);
    fs::remove_all(dir_ / "out");
    CliResult shown =
        Run(std::string("inspect c.frm --json --generate out --encoding ") + test.page);
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(hinted.err.empty(), false);
    EXPECT_EQ(shown.err, "");
    nlohmann::json label = nlohmann::json::parse(shown.out).at("controls").at(0);
    EXPECT_EQ(label.at("properties").at("Caption"), test.shown);
    EXPECT_NE(ReadWholeFile(dir_ / "out/frmC.FRM").find("\"" + test.text + "\""),
              std::string::npos);
  }
  EXPECT_EQ(Run("inspect c.frm --encoding NO-SUCH-PAGE").status, 64);
}

}  // namespace
