// Pictures of forms that keep pictures in a .frx file, and of the controls drawn pixel by
// pixel: file, folder and drive lists, tab dialogs, option buttons and scroll bars.
#include <fmt/format.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "fakes/cli_run.h"
#include "preview/drawing_boxes.h"
#include "preview/png_image.h"

namespace tavik::testing {
namespace {

namespace fs = std::filesystem;

void AppendWord(std::string& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A square of one colour (0xRRGGBB) in the format gdk-pixbuf saves under that name.
std::string SolidPicture(const char* format, int size, std::uint32_t color) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, size, size);
  gdk_pixbuf_fill(pixbuf, (color << 8) | 0xFF);
  gchar* buffer = nullptr;
  gsize length = 0;
  EXPECT_TRUE(gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &length, format, nullptr, nullptr));
  std::string bytes(buffer, length);
  g_free(buffer);
  g_object_unref(pixbuf);
  return bytes;
}

// A one-pixel GIF of one colour, which gdk-pixbuf cannot write.
std::string OnePixelGif(std::uint32_t color) {
  std::string gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
  AppendWord(gif, ((color >> 16) & 0xFF) | (color & 0xFF00) | ((color & 0xFF) << 16), 3);
  gif += std::string("\xFF\xFF\xFF\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
                     19);
  return gif;
}

// A placeable metafile of 64 by 64 pixels filled with one colour by a rectangle.
std::string SolidMetafile(std::uint32_t color) {
  std::string header;
  AppendWord(header, 0x9AC6CDD7u, 4);
  for (std::uint32_t word : {0u, 0u, 0u, 64u, 64u, 96u}) AppendWord(header, word, 2);
  AppendWord(header, 0, 4);
  std::uint16_t checksum = 0;
  for (std::size_t i = 0; i < header.size(); i += 2) {
    checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(header[i]) |
                                           (static_cast<unsigned char>(header[i + 1]) << 8));
  }
  AppendWord(header, checksum, 2);
  const std::uint32_t bgr = ((color >> 16) & 0xFF) | (color & 0xFF00) | ((color & 0xFF) << 16);
  std::string records;
  const auto record = [&](std::uint16_t function, std::vector<std::uint32_t> words) {
    AppendWord(records, static_cast<std::uint32_t>(3 + words.size()), 4);
    AppendWord(records, function, 2);
    for (std::uint32_t word : words) AppendWord(records, word, 2);
  };
  record(0x020B, {0, 0});                           // window origin
  record(0x020C, {64, 64});                         // window extent
  record(0x02FC, {0, bgr & 0xFFFF, bgr >> 16, 0});  // solid brush
  record(0x012D, {0});                              // selected
  record(0x041B, {64, 64, 0, 0});                   // rectangle
  record(0x0000, {});                               // end
  std::string meta;
  for (std::uint32_t word : {1u, 9u, 0x300u}) AppendWord(meta, word, 2);
  AppendWord(meta, static_cast<std::uint32_t>((18 + records.size()) / 2), 4);
  AppendWord(meta, 1, 2);
  AppendWord(meta, 7, 4);
  AppendWord(meta, 0, 2);
  return header + meta + records;
}

// How Visual Basic heads a picture in a .frx file: its size after "lt" (later versions give
// the size with the header first), or its size alone.
enum class Header { kMarked, kSized };

struct Stored {
  std::string property;  // the property line's name, in the block it belongs to
  std::string bytes;
  Header header;
};

std::string FrxEntry(const Stored& stored) {
  std::string entry;
  const auto size = static_cast<std::uint32_t>(stored.bytes.size());
  if (stored.header == Header::kMarked) {
    AppendWord(entry, size + 8, 4);
    entry += std::string("lt\0\0", 4);
  }
  AppendWord(entry, size, 4);
  return entry + stored.bytes;
}

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kYellow = 0xFFFF00;
constexpr std::uint32_t kCyan = 0x00FFFF;

// A form whose pictures lie in PICTURES.frx, with the controls drawn pixel by pixel.
class FrxPictureForm : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<Stored> stored = {
        {"Icon", SolidPicture("ico", 16, kGreen), Header::kMarked},
        {"Picture", SolidPicture("bmp", 40, kRed), Header::kMarked},
        {"picBox", SolidPicture("jpeg", 24, kBlue), Header::kSized},
        {"imgStretched", OnePixelGif(kMagenta), Header::kMarked},
        {"cmdPicture", SolidPicture("bmp", 20, kYellow), Header::kSized},
        {"cmdPlain", SolidPicture("bmp", 20, kYellow), Header::kSized},
        {"imgMetafile", SolidMetafile(kCyan), Header::kMarked},
    };
    std::string frx;
    for (const Stored& picture : stored) {
      places_[picture.property] = fmt::format("\"PICTURES.frx\":{:04X}", frx.size());
      frx += FrxEntry(picture);
    }
    WriteWholeFile(folder_.path() / "PICTURES.frx", frx);
    WriteWholeFile(folder_.path() / "PICTURES.FRM", FormText());
  }

  std::string Control(const std::string& kind, const std::string& name, int left, int top,
                      const std::string& more, int width = 900, int height = 900) {
    return fmt::format(
        "   Begin {} {}\r\n      Height = {}\r\n      Left = {}\r\n      Top = {}\r\n"
        "      Width = {}\r\n{}   End\r\n",
        kind, name, height, left, top, width, more);
  }
  std::string PictureOf(const std::string& name) {
    return "      Picture = " + places_[name] + "\r\n";
  }

  std::string FormText() {
    return "VERSION 5.00\r\nObject = \"{BDC217C8-ED16-11CD-956C-0000C04E4C0A}#1.1#0\"; "
           "\"TABCTL32.OCX\"\r\nBegin VB.Form frmPictures\r\n   Caption = \"Pictures\"\r\n"
           "   ClientHeight = 4500\r\n   ClientWidth = 6000\r\n   Icon = " +
           places_["Icon"] + "\r\n   Picture = " + places_["Picture"] + "\r\n" +
           Control("VB.PictureBox", "picBox", 1500, 0, PictureOf("picBox")) +
           Control("VB.Image", "imgStretched", 3000, 0,
                   "      Stretch = -1  'True\r\n" + PictureOf("imgStretched")) +
           Control("VB.Image", "imgMetafile", 4500, 0,
                   "      Stretch = -1  'True\r\n" + PictureOf("imgMetafile")) +
           Control("VB.CommandButton", "cmdPicture", 0, 1500,
                   "      Style = 1  'Graphical\r\n" + PictureOf("cmdPicture")) +
           Control("VB.CommandButton", "cmdPlain", 1500, 1500, PictureOf("cmdPlain")) +
           Control("VB.OptionButton", "optChosen", 3000, 1500, "      Value = -1  'True\r\n") +
           Control("VB.VScrollBar", "vsbTrack", 4500, 1500, "", 255, 1500) +
           Control("VB.DriveListBox", "drvDrives", 0, 2400, "") +
           Control("VB.DirListBox", "dirFolders", 1500, 2400, "") +
           Control("VB.FileListBox", "filFiles", 3000, 2400, "") +
           "   Begin TabDlg.SSTab tabPages\r\n      Height = 1200\r\n      Left = 4500\r\n"
           "      Top = 2400\r\n      Width = 1500\r\n      Tabs = 2\r\n      Tab = 1\r\n"
           "      TabsPerRow = 2\r\n      TabCaption(0) = \"&First\"\r\n"
           "      TabCaption(1) = \"Second\"\r\n" +
           Control("VB.Label", "lblOnFirst", -74880, 400, "      Caption = \"Hidden\"\r\n") +
           Control("VB.Label", "lblOnSecond", 120, 400, "      Caption = \"Shown\"\r\n") +
           "   End\r\nEnd\r\n";
  }

  ScratchFolder folder_;
  std::map<std::string, std::string> places_;
};

TEST_F(FrxPictureForm, PicturesOfEveryFormatLieWhereVisualBasicDrawsThem) {
  ASSERT_EQ(RunTavikfw(folder_.path(), "preview PICTURES.FRM -o p.svg").status, 0);
  const CliResult run = RunTavikfw(folder_.path(), "preview PICTURES.FRM -o p.png");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string svg = ReadWholeFile(folder_.path() / "p.svg");
  const PngImage picture((folder_.path() / "p.png").string());
  ASSERT_TRUE(picture.Loaded());
  const auto at = [&](const std::string& name, int x, int y) {
    const auto box = BoxIn(svg, name);
    const bool inside =
        box[0] >= 0 && box[0] + x < picture.Width() && box[1] + y < picture.Height();
    return inside ? picture.At(box[0] + x, box[1] + y) : 0xFFFFFFFFu;
  };
  const auto near = [](std::uint32_t pixel, std::uint32_t color) {
    for (int shift : {0, 8, 16}) {
      if (std::abs(static_cast<int>((pixel >> shift) & 0xFF) -
                   static_cast<int>((color >> shift) & 0xFF)) > 24) {
        return false;
      }
    }
    return true;
  };
  struct Expected {
    const char* what;
    std::uint32_t pixel;
    std::uint32_t color;
  };
  const auto box = [&](const std::string& name) { return BoxIn(svg, name); };
  const Expected expected[] = {
      // The client area begins under the caption bar; the form's picture lies in its corner
      // at its own size, 40 pixels.
      {"form picture (BMP)", at("frmPictures", 20, 20), kRed},
      {"beyond the form picture", at("frmPictures", 45, 45), 0xC0C0C0},
      {"system menu icon (ICO)", picture.At(13, 12), kGreen},
      {"picture box (JPEG) inside its border", at("picBox", 12, 12), kBlue},
      {"beyond the picture box's picture", at("picBox", 40, 40), 0xC0C0C0},
      {"stretched image (GIF)", at("imgStretched", 50, 50), kMagenta},
      {"graphical button's picture, centred (BMP)", at("cmdPicture", 30, 30), kYellow},
      {"plain button shows no picture", at("cmdPlain", 30, 30), 0xC0C0C0},
      {"option ring, grey above", at("optChosen", 5, box("optChosen")[3] / 2 - 6), 0x808080},
      {"option ring, white below", at("optChosen", 5, box("optChosen")[3] / 2 + 5), 0xFFFFFF},
      {"option dot", at("optChosen", 5, box("optChosen")[3] / 2), 0x000000},
      {"scroll track, white and grey pixels side by side",
       at("vsbTrack", 8, 60) ^ at("vsbTrack", 9, 60), 0xFFFFFF ^ 0xC0C0C0},
      {"folder list, its chosen root", at("dirFolders", 40, 6), 0x000080},
      {"tab dialog's body", at("tabPages", 50, 60), 0xC0C0C0},
  };
  for (const Expected& check : expected) {
    EXPECT_TRUE(near(check.pixel, check.color))
        << check.what << ": " << std::hex << check.pixel << " for " << check.color;
  }
  // Where a metafile loader is installed, a metafile is drawn too.
  if (svg.find("data-name=\"imgMetafile\"") != std::string::npos &&
      fs::exists("/usr/lib/x86_64-linux-gnu/gdk-pixbuf-2.0/2.10.0/loaders/io-wmf.so")) {
    EXPECT_TRUE(near(at("imgMetafile", 30, 30), kCyan)) << std::hex << at("imgMetafile", 30, 30);
  }
}

TEST_F(FrxPictureForm, ListsAndTabsShowTheirTextsAndOnlyTheChosenTabsControls) {
  ASSERT_EQ(RunTavikfw(folder_.path(), "preview PICTURES.FRM -o p.svg").status, 0);
  const std::string svg = ReadWholeFile(folder_.path() / "p.svg");
  for (const char* text :
       {">c:</text>", ">c:\\</text>", ">First</text>", ">Second</text>", ">Shown</text>"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
  EXPECT_EQ(svg.find(">Hidden</text>"), std::string::npos);
  EXPECT_EQ(BoxIn(svg, "lblOnFirst")[0], -1) << "a control on a tab not chosen";
  // Moved or missing, the .frx gives no pictures, and the form is drawn all the same.
  fs::remove(folder_.path() / "PICTURES.frx");
  ASSERT_EQ(RunTavikfw(folder_.path(), "preview PICTURES.FRM -o q.svg").status, 0);
  EXPECT_EQ(ReadWholeFile(folder_.path() / "q.svg").find("<image"), std::string::npos);
  EXPECT_NE(svg.find("<image"), std::string::npos);
}

}  // namespace
}  // namespace tavik::testing
