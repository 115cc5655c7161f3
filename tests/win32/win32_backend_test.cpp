// The Win32 backend apart from dialogs: the settings file, GDI measurement, files, the
// process id, terminals and a prompt at a console (which Wine shows as a window), the string
// table resources and the model files the Windows build refuses.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "base/string_table.h"
#include "fakes/recording_message_boxes.h"
#include "platform/current_process.h"
#include "platform/file_output.h"
#include "platform/ini_settings_file.h"
#include "platform/platform.h"
#include "platform/terminal.h"
#include "platform/win32/gdi_text_measurer.h"
#include "platform/win32/this_module.h"
#include "tavikfw/brenlo.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

fs::path TemporaryFolder() {
  std::array<char, MAX_PATH> folder{};
  ::GetTempPathA(static_cast<DWORD>(folder.size()), folder.data());
  return fs::path(folder.data());
}

class ScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        TemporaryFolder() /
        ("tavik_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

using PrivateProfileSettings = ScratchFolder;

TEST_F(PrivateProfileSettings, KeepsValuesAndEveryOtherLineOfTheFile) {
  const fs::path file = folder_ / "sub" / "TAVIK.INI";
  tavik::IniSettingsFile settings(file);
  EXPECT_EQ(settings.ReadString("Visual Basic", "ConnectString", ""), "");
  EXPECT_EQ(settings.ReadString("Visual Basic", "ConnectString", "none"), "none");

  ASSERT_TRUE(settings.WriteString("Visual Basic", "ConnectString", "ODBC;DSN=Orders;UID=a"));
  ASSERT_TRUE(settings.WriteString("Visual Basic", "DatabaseString", "orders.mdb"));
  EXPECT_EQ(settings.ReadString("visual basic", "connectstring", ""), "ODBC;DSN=Orders;UID=a");
  EXPECT_EQ(settings.ReadString("Visual Basic", "DatabaseString", ""), "orders.mdb");

  // Another program's section and comment stay where they were.
  {
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << "[Other]\r\n; kept\r\nKey=1\r\n";
  }
  ASSERT_TRUE(settings.WriteString("Visual Basic", "DatabaseString", "other.mdb"));
  const std::string text = ReadBytes(file);
  EXPECT_NE(text.find("DatabaseString=other.mdb"), std::string::npos) << text;
  EXPECT_NE(text.find("[Other]\r\n; kept\r\nKey=1"), std::string::npos) << text;
  EXPECT_EQ(settings.ReadString("Other", "Key", ""), "1");

  // A value longer than any first buffer comes back whole.
  const std::string long_value(1000, 'v');
  ASSERT_TRUE(settings.WriteString("Visual Basic", "Long", long_value));
  EXPECT_EQ(settings.ReadString("Visual Basic", "Long", ""), long_value);

  EXPECT_FALSE(settings.WriteString("Visual Basic", "ConnectString", "two\r\nlines"));
  EXPECT_FALSE(settings.WriteString("Visual Basic", "a=b", "x"));
}

TEST_F(PrivateProfileSettings, BareFileNameLivesInTheWindowsFolder) {
  std::array<char, MAX_PATH> windows{};
  ::GetWindowsDirectoryA(windows.data(), static_cast<UINT>(windows.size()));
  const fs::path file = fs::path(windows.data()) / "TAVIK.INI";
  fs::remove(file);
  tavik::IniSettingsFile settings("TAVIK.INI");
  ASSERT_TRUE(settings.WriteString("Visual Basic", "DatabaseString", "biblio.mdb"));
  ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, "TAVIK.INI");
  EXPECT_NE(ReadBytes(file).find("[Visual Basic]\r\nDatabaseString=biblio.mdb"), std::string::npos);
  fs::remove(file);
}

// The twips the Linux build measures for the same fonts: the raster "MS Sans Serif" from the
// same font file, and "Arial", "Times New Roman" and "Courier New" through the faces of the
// same metrics. Forms come out the same from both builds only while these agree.
TEST(GdiTextMeasurer, MeasuresTwipsAsTheLinuxBuildDoes) {
  tavik::GdiTextMeasurer measurer;
  const std::string fifteen(15, 'x');
  struct Case {
    const char* font;
    float size;
    std::uint16_t width;
    std::optional<std::uint16_t> height;
  };
  // MS Sans Serif 8 at 96 pixels per inch: fifteen 5-pixel advances and the 13-pixel strike,
  // in twips, scaled by 1.275 and 1.4. The size is truncated to whole points first. Wine
  // rounds the cell of a TrueType face to another whole pixel than Windows and the Linux
  // build do (Arial 10: 14 pixels, not 13), so only their widths are compared.
  const Case cases[] = {
      {"MS Sans Serif", 8.0f, 1434, 273},         {"MS Sans Serif", 8.9f, 1434, 273},
      {"Arial", 10.0f, 1721, std::nullopt},       {"Times New Roman", 12.0f, 2008, std::nullopt},
      {"Courier New", 10.0f, 2008, std::nullopt},
  };
  for (const Case& c : cases) {
    const tavik::TextExtent extent = measurer.Measure(fifteen, c.font, c.size, 96, 96);
    EXPECT_EQ(extent.width, c.width) << c.font << " " << c.size;
    if (c.height) {
      EXPECT_EQ(extent.height, *c.height) << c.font << " " << c.size;
    }
  }
  // At 192 pixels per inch the 8-point cell is 21 pixels high and the 20-pixel strike serves.
  // Its text is 105 pixels wide, 787.5 twips: Wine's GDI rounds the half down, the Linux
  // build up, one twip apart after scaling.
  const tavik::TextExtent sharp = measurer.Measure(fifteen, "MS Sans Serif", 8.0f, 192, 192);
  EXPECT_EQ(sharp.height, 210);
  EXPECT_NEAR(sharp.width, 1004, 1);
  EXPECT_EQ(measurer.Measure("", "MS Sans Serif", 8.0f, 96, 96).width, 0);
}

using TemporaryFiles = ScratchFolder;

TEST_F(TemporaryFiles, CodeFileIsUniqueInTheTemporaryFolderAndHoldsTheTextAsItIs) {
  const std::string code = "Sub Form_Load ()\r\n\tx = 1\r\nEnd Sub\r\n";
  const std::optional<std::string> first = tavik::WriteTemporaryFile("tkvb", code);
  const std::optional<std::string> second = tavik::WriteTemporaryFile("tkvb", code);
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
  const fs::path path(*first);
  EXPECT_EQ(path.parent_path(), TemporaryFolder().parent_path());
  // GetTempFileName keeps the first three characters of the prefix.
  EXPECT_EQ(path.filename().string().substr(0, 3), "tkv");
  EXPECT_EQ(path.extension().string(), ".tmp");
  EXPECT_EQ(ReadBytes(path), code);
  tavik::RemoveFile(*first);
  tavik::RemoveFile(*second);
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(TemporaryFiles, FormFileIsReplacedWholeOrKeptAsItWas) {
  tavik::testing::RecordingMessageBoxes boxes;
  tavik::Platform platform = tavik::CurrentPlatform();
  platform.message_boxes = &boxes;
  tavik::ScopedPlatform scope(platform);

  const fs::path form = folder_ / "FORM.FRM";
  ASSERT_EQ(tavik::WriteFileAtomically(form.string(), "old\r\n"), 0u);
  ASSERT_EQ(tavik::WriteFileAtomically(form.string(), "VERSION 4.00\r\nEnd\r\n"), 0u);
  EXPECT_EQ(ReadBytes(form), "VERSION 4.00\r\nEnd\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
  EXPECT_TRUE(boxes.shown.empty());

  const fs::path nowhere = folder_ / "missing" / "FORM.FRM";
  EXPECT_EQ(tavik::WriteFileAtomically(nowhere.string(), "text"), 73u);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "Tavik Form Wizard Error");
  EXPECT_NE(boxes.shown[0].text.find(nowhere.string()), std::string::npos);
  EXPECT_FALSE(fs::exists(nowhere));
}

TEST(CurrentProcess, IsTheWindowsProcessId) {
  EXPECT_EQ(tavik::CurrentProcessId(), static_cast<std::uintptr_t>(::GetCurrentProcessId()));
}

using StandardStreams = ScratchFolder;

// The C library takes the NUL device for a terminal, as it does every character device; a
// script that gives it, a file or a pipe must not be asked or shown progress.
TEST_F(StandardStreams, NullDeviceFileAndPipeAreNoTerminals) {
  const fs::path file = folder_ / "answers.txt";
  std::ofstream(file) << "Orders\n";
  std::array<int, 2> pipe_ends{};
  ASSERT_EQ(::_pipe(pipe_ends.data(), 256, _O_BINARY), 0);
  ::_close(pipe_ends[1]);
  const struct {
    const char* what;
    int descriptor;
  } sources[] = {{"NUL", ::_open("NUL", _O_RDWR)},
                 {"a file", ::_open(file.string().c_str(), _O_RDWR)},
                 {"a pipe", pipe_ends[0]}};
  const struct {
    tavik::StandardStream stream;
    int descriptor;
  } streams[] = {{tavik::StandardStream::kInput, 0}, {tavik::StandardStream::kError, 2}};
  for (const auto& stream : streams) {
    const int saved = ::_dup(stream.descriptor);
    for (const auto& source : sources) {
      ASSERT_GE(source.descriptor, 0) << source.what;
      ::_dup2(source.descriptor, stream.descriptor);
      EXPECT_FALSE(tavik::IsTerminal(stream.stream)) << source.what << " on " << stream.descriptor;
    }
    ::_dup2(saved, stream.descriptor);
    ::_close(saved);
  }
  for (const auto& source : sources) ::_close(source.descriptor);
}

// The console's input buffer, inheritable, or INVALID_HANDLE_VALUE. Wine attaches a program
// started without a terminal to a console without input (CONIN$ does not open), so the test
// leaves it for a new one; without a display the new one takes no console mode either.
HANDLE ConsoleInput() {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  auto open = [&] {
    return ::CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         &inherited, OPEN_EXISTING, 0, nullptr);
  };
  HANDLE input = open();
  if (input == INVALID_HANDLE_VALUE && ::FreeConsole() && ::AllocConsole()) input = open();
  DWORD mode = 0;
  if (input != INVALID_HANDLE_VALUE && !::GetConsoleMode(input, &mode)) {
    ::CloseHandle(input);
    return INVALID_HANDLE_VALUE;
  }
  return input;
}

// Types the text into the console as key presses; '\r' is the Enter key.
void Type(HANDLE console, const std::string& text) {
  for (char character : text) {
    INPUT_RECORD press{};
    press.EventType = KEY_EVENT;
    KEY_EVENT_RECORD& key = press.Event.KeyEvent;
    key.bKeyDown = TRUE;
    key.wRepeatCount = 1;
    key.wVirtualKeyCode = character == '\r' ? VK_RETURN : 0;
    key.uChar.AsciiChar = character;
    INPUT_RECORD release = press;
    release.Event.KeyEvent.bKeyDown = FALSE;
    const INPUT_RECORD records[] = {press, release};
    DWORD written = 0;
    ::WriteConsoleInputA(console, records, 2, &written);
  }
}

// Runs the command in the folder, standard input the console, the other two a file; its
// exit status, or -1 when it did not end within a minute.
int RunAtTheConsole(std::string command, HANDLE console, const fs::path& folder) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE output = ::CreateFileA((folder / "out.txt").string().c_str(), GENERIC_WRITE, 0, &inherited,
                                CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = console;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process{};
  const std::string directory = folder.string();
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        directory.c_str(), &startup, &process)) {
    ::CloseHandle(output);
    return -2;
  }
  DWORD status = static_cast<DWORD>(-1);
  if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
    ::GetExitCodeProcess(process.hProcess, &status);
  } else {
    ::TerminateProcess(process.hProcess, 1);
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(output);
  return static_cast<int>(status);
}

using ConsolePrompt = ScratchFolder;

// tavikfw.exe at a real console, as at a Linux terminal: every field asked, its default shown;
// Enter keeps it.
TEST_F(ConsolePrompt, AnswersTypedAtTheConsoleFillTheForm) {
  HANDLE console = ConsoleInput();
  if (console == INVALID_HANDLE_VALUE) {
    GTEST_SKIP() << "Wine offers no console with input here: its console host needs a "
                    "display (DISPLAY is "
                 << (std::getenv("DISPLAY") ? "set" : "not set") << ")";
  }
  ::FlushConsoleInputBuffer(console);
  Type(console, "\rmy.mdb\r\rMy Caption\r\r");
  // Paths in Windows form: the command line takes "/work/..." for an option.
  const fs::path model =
      fs::absolute(fs::path(TAVIK_SOURCE_DIR) / "examples" / "order_entry.json").make_preferred();
  // The settings file in the folder: a bare name would be the Windows folder's.
  const std::string command = std::string("\"") + TAVIK_CLI_EXE + "\" generate \"" +
                              model.string() + "\" --settings \"" + (folder_ / "T.INI").string() +
                              "\" --connect ODBC --name Orders";
  ASSERT_EQ(RunAtTheConsole(command, console, folder_), 0) << ReadBytes(folder_ / "out.txt");
  const std::string dialog = ReadBytes(folder_ / "out.txt");
  EXPECT_NE(dialog.find("Connect: [ODBC] Database: Form Name: [Orders] Form Caption: Filespec: "
                        "[Orders.FRM]"),
            std::string::npos)
      << dialog;
  const std::string form = ReadBytes(folder_ / "Orders.FRM");
  EXPECT_NE(form.find("Caption             =    \"My Caption\""), std::string::npos);
  EXPECT_NE(form.find("OpenDatabase(\"my.mdb\",FALSE,FALSE,\"ODBC\")"), std::string::npos);
  ::CloseHandle(console);
}

// Every text of the string table that the code shows is in the resources under its id.
TEST(StringResources, HoldTheTextsOfTheStringTable) {
  for (int id = 51021; id <= 51063; ++id) {
    std::array<char, 512> text{};
    const int length =
        ::LoadStringA(tavik::ThisModule(), static_cast<UINT>(id), text.data(), text.size());
    const std::string_view shown = tavik::StringTable::Text(id);
    if (shown.empty()) continue;
    EXPECT_EQ(std::string_view(text.data(), static_cast<std::size_t>(length)), shown)
        << "string " << id;
  }
  std::array<char, 64> title{};
  ::LoadStringA(tavik::ThisModule(), 51056, title.data(), title.size());
  EXPECT_STREQ(title.data(), "Tavik Reverse Engineering");
}

using ModelFiles = ScratchFolder;

TEST_F(ModelFiles, DatabaseIsRefusedByTheWindowsBuild) {
  const fs::path database = folder_ / "orders.db";
  {
    std::ofstream out(database, std::ios::binary);
    out << std::string("SQLite format 3\0", 16) << std::string(100, '\0');
  }
  uint32_t host_value = 0;
  EXPECT_EQ(BR_LoadModelFile(database.string().c_str(), &host_value), BR_LOAD_REFUSED);
  EXPECT_NE(std::string(BR_LastLoadError()).find("read by the Linux build"), std::string::npos)
      << BR_LastLoadError();
  EXPECT_EQ(BR_LoadModelFile("postgresql://ann@server/shop", &host_value), BR_LOAD_REFUSED);
  EXPECT_NE(std::string(BR_LastLoadError()).find("PostgreSQL and MariaDB servers are read by"),
            std::string::npos)
      << BR_LastLoadError();
}

}  // namespace
