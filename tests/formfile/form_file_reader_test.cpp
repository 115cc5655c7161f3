// Reading form files into running forms and writing them back: the generator's own forms
// come back byte for byte, Visual Basic's later files are read, and bad input is refused
// with the line at fault.
#include "formfile/form_file_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "environment/form_file_writer.h"
#include "fakes/cli_run.h"

namespace fs = std::filesystem;

namespace tavik::formfile {
namespace {

using environment::FormFileWriter;

std::unique_ptr<RunningForm> ReadOrFail(std::string_view text) {
  FormFileReader::Outcome outcome = FormFileReader::Read(text);
  EXPECT_TRUE(outcome.form) << "line " << outcome.fault.line << ": " << outcome.fault.message;
  return std::move(outcome.form);
}

TEST(FormFileReader, EveryGoldenFormComesBackByteForByte) {
  int forms = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(TAVIK_SOURCE_DIR) / "tests/golden")) {
    fs::path expected = entry.path() / "expected.FRM";
    if (!fs::exists(expected)) continue;
    SCOPED_TRACE(expected.string());
    std::string text = testing::ReadWholeFile(expected);
    auto form = ReadOrFail(text);
    if (!form) continue;
    EXPECT_FALSE(form->Controls().empty());
    EXPECT_EQ(FormFileWriter::Text(*form), text);
    ++forms;
  }
  EXPECT_GE(forms, 10);
}

constexpr std::string_view kGeneratedForm =
    "VERSION 2.00\r\n"
    "Begin Form Shirts\r\n"
    "\tCaption = \"Shirt \"Sizes\"\"\r\n"
    "\tName                =    \"Shirts\"\r\n"
    "\tCaption             =    \"Shirt \"Sizes\"\"\r\n"
    "\tBackColor           =    -2147483648\r\n"
    "\tWidth               =    8200\r\n"
    "\tBegin Frame opgE1COLOUR\r\n"
    "\t\tName                =    \"opgE1COLOUR\"\r\n"
    "\t\tBegin OptionButton obE1COLOUR1\r\n"
    "\t\t\tName                =    \"obE1COLOUR1\"\r\n"
    "\t\t\tMultiLine           =    TRUE\r\n"
    "\t\tEnd\r\n"
    "\t\tBegin OptionButton obE1COLOUR2\r\n"
    "\t\t\tName                =    \"obE1COLOUR2\"\r\n"
    "\t\tEnd\r\n"
    "\tEnd\r\n"
    "\tBegin Data dsSHIRT\r\n"
    "\t\tName                =    \"dsSHIRT\"\r\n"
    "\tEnd\r\n"
    "End\r\n"
    "' Tavik-Generated Global Declarations\r\n"
    "Option Explicit\r\n"
    "\r\n"
    "Sub Form_Load()\r\n"
    "End Sub\r\n"
    "\r\n";

TEST(FormFileReader, GeneratedFormGivesTreeValuesAndCode) {
  auto form = ReadOrFail(kGeneratedForm);
  ASSERT_TRUE(form);
  EXPECT_EQ(form->Name(), "Shirts");
  EXPECT_EQ(form->FileVersion(), "2.00");
  // The caption line that opens the block is given again among the properties: it keeps
  // the later place, so the properties read in the order they were written.
  ASSERT_EQ(form->Properties().size(), 4u);
  EXPECT_EQ(form->Properties()[0].name, "Name");
  EXPECT_EQ(form->Properties()[1],
            (FormProperty{"Caption", PropertyKind::kString, "Shirt \"Sizes\""}));
  EXPECT_EQ(form->Caption(), "Shirt \"Sizes\"");
  EXPECT_EQ(form->Properties()[2],
            (FormProperty{"BackColor", PropertyKind::kNumber, "-2147483648"}));

  ASSERT_EQ(form->Controls().size(), 2u);
  const RunningControl& frame = *form->Controls()[0];
  EXPECT_EQ(frame.class_name, "Frame");
  ASSERT_EQ(frame.children.size(), 2u);
  EXPECT_EQ(frame.children[1]->name, "obE1COLOUR2");
  EXPECT_EQ(frame.children[1]->container, &frame);
  EXPECT_EQ(frame.children[0]->properties[1].kind, PropertyKind::kOther);
  EXPECT_EQ(form->FindControl("DSSHIRT"), form->Controls()[1].get());

  EXPECT_EQ(form->Code(),
            "' Tavik-Generated Global Declarations\r\nOption Explicit\r\n\r\n"
            "Sub Form_Load()\r\nEnd Sub\r\n\r\n");
  EXPECT_EQ(FormFileWriter::Text(*form), kGeneratedForm);
}

TEST(FormFileReader, HandlesAscendInTheOrderOfTheFormBlock) {
  auto form = ReadOrFail(kGeneratedForm);
  ASSERT_TRUE(form);
  TVK_HANDLE next = 10;
  form->AssignHandles([&] { return next++; });
  EXPECT_EQ(form->FindControl(TVK_HANDLE{10})->name, "opgE1COLOUR");
  EXPECT_EQ(form->FindControl(TVK_HANDLE{12})->name, "obE1COLOUR2");
  EXPECT_EQ(form->FindControl(TVK_HANDLE{13})->name, "dsSHIRT");
  EXPECT_EQ(form->FindControl(TVK_HANDLE{14}), nullptr);
}

TEST(FormFileReader, OtherLineEndsReadAsCarriageReturnLineFeed) {
  std::string crlf(kGeneratedForm);
  std::string lf, doubled;
  for (char c : crlf) {
    if (c != '\r') lf += c;
    if (c == '\n') doubled.insert(doubled.size() - 1, "\r");
    doubled += c;
  }
  for (const std::string& text : {lf, doubled}) {
    auto form = ReadOrFail(text);
    ASSERT_TRUE(form);
    EXPECT_EQ(FormFileWriter::Text(*form), kGeneratedForm);
  }
}

// A form as Visual Basic 4 saves it: object references, "VB." classes, property groups,
// resource references, comments after values and attributes before the code.
constexpr std::string_view kVisualBasicForm =
    "VERSION 4.00\r\n"
    "Object = \"{00028C01-0000-0000-0000-000000000046}#1.0#0\"; \"DBGRID32.OCX\"\r\n"
    "Begin VB.Form frmCustomer \r\n"
    "   Caption         =   \"Customers\"\r\n"
    "   ClientHeight    =   3195\r\n"
    "   BackColor       =   &H00C0C0C0&\r\n"
    "   Icon            =   \"CUSTOMER.frx\":0000\r\n"
    "   Begin VB.PictureBox picLogo \r\n"
    "      Picture         =   $\"CUSTOMER.frx\":0442\r\n"
    "      AutoRedraw      =   -1  'True\r\n"
    "      BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851} \r\n"
    "         name            =   \"MS Sans Serif\"\r\n"
    "         size            =   8.25\r\n"
    "      EndProperty\r\n"
    "      Begin VB.Data datCustomer \r\n"
    "         RecordSource    =   \"CUSTOMER\"  ' a comment after a string\r\n"
    "      End\r\n"
    "   End\r\n"
    "End\r\n"
    "Attribute VB_Name = \"frmCustomer\"\r\n"
    "Attribute VB_Creatable = False\r\n"
    "Option Explicit\r\n";

TEST(FormFileReader, VisualBasicFormsReadWithGroupsResourcesAndAttributes) {
  auto form = ReadOrFail(kVisualBasicForm);
  ASSERT_TRUE(form);
  EXPECT_EQ(form->FileVersion(), "4.00");
  EXPECT_EQ(form->FormClass(), "VB.Form");
  EXPECT_EQ(form->Name(), "frmCustomer");
  ASSERT_EQ(form->ObjectReferences().size(), 1u);
  EXPECT_EQ(form->Attributes(), (std::vector<std::string>{"Attribute VB_Name = \"frmCustomer\"",
                                                          "Attribute VB_Creatable = False"}));
  EXPECT_EQ(form->Code(), "Option Explicit\r\n");

  const PropertyList& properties = form->Properties();
  EXPECT_EQ(FindProperty(properties, "BackColor")->kind, PropertyKind::kNumber);
  EXPECT_EQ(*FindProperty(properties, "Icon"),
            (FormProperty{"Icon", PropertyKind::kResource, "\"CUSTOMER.frx\":0000"}));

  const RunningControl& picture = *form->Controls().at(0);
  EXPECT_EQ(picture.class_name, "VB.PictureBox");
  EXPECT_EQ(FindProperty(picture.properties, "Picture")->kind, PropertyKind::kResource);
  EXPECT_EQ(FindProperty(picture.properties, "AutoRedraw")->text, "-1");
  EXPECT_EQ(FindProperty(picture.properties, "AutoRedraw")->comment, "  'True");
  EXPECT_EQ(*FindProperty(picture.properties, "Font.name"),
            (FormProperty{"Font.name", PropertyKind::kString, "MS Sans Serif"}));
  EXPECT_EQ(FindProperty(picture.properties, "Font.size")->text, "8.25");
  ASSERT_EQ(picture.children.size(), 1u);
  EXPECT_EQ(picture.children[0]->name, "datCustomer");

  // Written back as it was read, to the comments after values and the blanks ending lines.
  EXPECT_EQ(FormFileWriter::Text(*form), kVisualBasicForm);
}

// A property given again keeps its later value in its later place, in a short block and in a
// long one alike; a group keeps the place it opened at, counted without what was given again.
TEST(FormFileReader, APropertyGivenAgainKeepsItsLaterPlace) {
  for (int count : {3, 40}) {
    std::string text = "VERSION 2.00\r\nBegin Form A\r\n\tBegin TextBox B\r\n\t\tP0 = 1\r\n";
    for (int i = 1; i < count; ++i) text += "\t\tP" + std::to_string(i) + " = 1\r\n";
    text += "\t\tp0 = 2\r\n\t\tBeginProperty Font\r\n\t\t\tSize = 8\r\n\t\tEndProperty\r\n";
    text += "\t\tP1 = 3\r\n\tEnd\r\nEnd\r\n";
    auto form = ReadOrFail(text);
    ASSERT_TRUE(form);
    const RunningControl& box = *form->Controls().at(0);
    const auto size = static_cast<std::size_t>(count);
    ASSERT_EQ(box.properties.size(), size + 1) << count;
    EXPECT_EQ(box.properties[size - 2].name, "p0") << count;
    EXPECT_EQ(box.properties[size - 2].text, "2") << count;
    EXPECT_EQ(box.properties[size - 1].name, "Font.Size") << count;
    EXPECT_EQ(box.properties[size].text, "3") << count;
    ASSERT_EQ(box.groups.size(), 1u);
    EXPECT_EQ(box.groups[0].position, size) << count;
  }
}

// The code part found past the form block's closing line is the one the whole reader gives,
// in either layout and with any line ends; a text whose block never closes has none.
TEST(FormFileReader, FormCodeIsFoundPastTheBlockWithoutReadingIt) {
  std::string lf;
  for (char c : kGeneratedForm) {
    if (c != '\r') lf += c;
  }
  const std::string marked = "\xEF\xBB\xBF" + std::string(kVisualBasicForm) + "\x1A";
  for (std::string_view text :
       {kGeneratedForm, std::string_view(lf), kVisualBasicForm, std::string_view(marked)}) {
    auto form = ReadOrFail(text);
    ASSERT_TRUE(form);
    std::optional<FormFileReader::CodePart> part = FormFileReader::ReadFormCode(text);
    ASSERT_TRUE(part);
    EXPECT_EQ(part->code, form->Code());
    EXPECT_EQ(part->first_line, form->CodeLine());
    EXPECT_EQ(part->attributes, form->Attributes());
  }
  EXPECT_FALSE(FormFileReader::ReadFormCode("VERSION 2.00\r\nBegin Form A\r\n\tEnd\r\n"));
}

struct BadForm {
  const char* what;
  std::string text;
  int line;
  const char* message;  // a part of the message
};

TEST(FormFileReader, BadInputIsRefusedWithItsLine) {
  const BadForm cases[] = {
      {"empty", "", 1, "empty"},
      {"no version", "Begin Form A\r\nEnd\r\n", 1, "VERSION"},
      {"no form block", "VERSION 2.00\r\nBegin TextBox A\r\n", 2, "Begin Form"},
      {"ends before the form block", "VERSION 2.00\r\n\r\n", 2, "before its form block"},
      {"truncated in a control",
       "VERSION 2.00\r\nBegin Form A\r\n\tBegin Frame F\r\n\t\tBegin TextBox T\r\n"
       "\t\t\tName =    \"T\"\r\n",
       5, "TextBox T begun on line 4"},
      {"form never closed", "VERSION 2.00\r\nBegin Form A\r\n\tBegin Label L\r\n\tEnd\r\n", 4,
       "Form A begun on line 2"},
      {"End closes a property group",
       "VERSION 2.00\r\nBegin Form A\r\n BeginProperty Font\r\n  size = 8\r\n End\r\nEnd\r\n", 5,
       "EndProperty"},
      {"EndProperty without BeginProperty",
       "VERSION 2.00\r\nBegin Form A\r\n\tBegin Label L\r\n\tEndProperty\r\n", 4,
       "without \"BeginProperty\""},
      {"control inside a group",
       "VERSION 2.00\r\nBegin Form A\r\n BeginProperty Font\r\n Begin Label L\r\n", 4,
       "inside the property group"},
      {"carriage returns alone, never closed", "VERSION 2.00\rBegin Form A\r\tBegin Label L\r", 3,
       "Label L begun on line 3"},
      {"cut in the middle of a line", "VERSION 2.00\r\nBegin Form A\r\n\tBegin Label L\r\n\tCapt",
       4, "cut short"},
      {"unterminated string", "VERSION 2.00\r\nBegin Form A\r\n\tCaption = \"Ord\r\nEnd\r\n", 3,
       "closing double quote"},
      {"Begin without a name", "VERSION 2.00\r\nBegin Form A\r\n\tBegin TextBox\r\n", 3,
       "class and a control name"},
      {"not a property", "VERSION 2.00\r\nBegin Form A\r\n\tWidth 100\r\nEnd\r\n", 3,
       "Name = value"},
      {"binary", std::string("VERSION 2.00\r\nBegin Form A\r\n\tTag = \"x") + '\0' + "y\"\r\n", 3,
       "binary data (byte 0x00)"},
      {"binary form", std::string("\xFC\x03\x01") + '\0' + "Form1", 1, "binary"},
  };
  for (const BadForm& bad : cases) {
    SCOPED_TRACE(bad.what);
    FormFileReader::Outcome outcome = FormFileReader::Read(bad.text);
    EXPECT_FALSE(outcome.form);
    EXPECT_FALSE(outcome.unreadable);
    EXPECT_EQ(outcome.fault.line, bad.line);
    EXPECT_NE(outcome.fault.message.find(bad.message), std::string::npos) << outcome.fault.message;
  }
}

TEST(FormFileReader, AFileThatCannotBeReadSaysSo) {
  FormFileReader::Outcome missing = FormFileReader::ReadFile("/nonexistent/NOWHERE.FRM");
  EXPECT_TRUE(missing.unreadable);
  EXPECT_NE(missing.fault.message.find("cannot be read"), std::string::npos);
  EXPECT_TRUE(FormFileReader::ReadFile(fs::temp_directory_path().string()).unreadable);
}

}  // namespace
}  // namespace tavik::formfile
