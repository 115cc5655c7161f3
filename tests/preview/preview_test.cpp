// Pictures of forms: whole SVG documents against goldens, every control's box and caption in
// the drawing, and the colours librsvg paints at the centres of known controls.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fakes/cli_run.h"
#include "formfile/form_file_reader.h"
#include "preview/drawing_boxes.h"
#include "preview/form_preview.h"
#include "preview/png_image.h"
#include "preview/text_metrics.h"

namespace tavik::testing {
namespace {

namespace fs = std::filesystem;
using formfile::FormFileReader;
using preview::FormPreview;

const fs::path kSource = TAVIK_SOURCE_DIR;
const fs::path kCustomerForm = kSource / "tests/preview/forms/vb5_customer.frm";

std::unique_ptr<formfile::RunningForm> ReadForm(const fs::path& path) {
  FormFileReader::Outcome read = FormFileReader::ReadFile(path.string());
  EXPECT_TRUE(read.form) << path << ": " << read.fault.message;
  return std::move(read.form);
}

// The third form holds a menu bar, shapes and lines of every style, a label beneath a text
// box and controls that do not show: hidden, unseen at run time or outside the window.
TEST(PreviewGolden, DrawingsOfVisualBasicFormsAndAGeneratedGridFormAreTheSameTextEachTime) {
  const bool update = std::getenv("UPDATE_GOLDENS") != nullptr;
  for (const fs::path& form : {kCustomerForm, kSource / "tests/golden/grid_child_vb3/expected.FRM",
                               kSource / "tests/preview/forms/vb4_every_kind.frm"}) {
    const std::string name = form.parent_path().filename() == "forms"
                                 ? form.stem().string()
                                 : form.parent_path().filename().string();
    const fs::path golden = kSource / "tests/preview/golden" / (name + ".svg");
    const std::string svg = FormPreview::Svg(*ReadForm(form));
    if (update) WriteWholeFile(golden, svg);
    EXPECT_EQ(svg, ReadWholeFile(golden)) << "the drawing of " << name << " changed";
  }
}

TEST(PreviewDrawing, EveryControlOfTheExampleHasItsBoxInsideTheClientAreaAndItsCaption) {
  const auto form = ReadForm(kSource / "tests/golden/example_order_entry/expected.FRM");
  const std::string svg = FormPreview::Svg(*form);
  // A form's Width and Height are its window's; the client area lies inside the frame and
  // under the caption bar.
  EXPECT_NE(svg.find("width=\"573\" height=\"586\""), std::string::npos);
  EXPECT_EQ(BoxIn(svg, "OrderEntry"), (std::array{4, 23, 565, 559}));
  int drawn = 0;
  form->ForEachControl([&](formfile::RunningControl& control) {
    const auto twips = [&](const char* name) {
      return std::lround(std::stod(formfile::FindProperty(control.properties, name)->text.str()) /
                         15.0);
    };
    if (control.class_name == "Timer") {
      EXPECT_EQ(BoxIn(svg, control.name)[0], -1) << "timers are not drawn";
      return;
    }
    ++drawn;
    EXPECT_EQ(BoxIn(svg, control.name),
              (std::array<int, 4>{
                  static_cast<int>(4 + twips("Left")), static_cast<int>(23 + twips("Top")),
                  static_cast<int>(twips("Width")), static_cast<int>(twips("Height"))}))
        << control.name;
    if (auto caption = formfile::StringProperty(control.properties, "Caption")) {
      EXPECT_NE(svg.find(">" + preview::TextMetrics::Shown(*caption) + "</text>"),
                std::string::npos)
          << control.name;
    }
  });
  EXPECT_GT(drawn, 40);
}

TEST(PreviewDrawing, ControlsInsideAFrameAreOffsetByItAndAScrollingFormsBarsMoveToItsEdges) {
  const std::string customer = FormPreview::Svg(*ReadForm(kCustomerForm));
  // ClientWidth and ClientHeight size the client area; the frame's children are placed
  // from its corner.
  EXPECT_NE(customer.find("width=\"320\" height=\"240\""), std::string::npos);
  EXPECT_EQ(BoxIn(customer, "fraAddress"), (std::array{12, 95, 193, 89}));
  EXPECT_EQ(BoxIn(customer, "optHome"), (std::array{20, 119, 73, 17}));
  // A text is cut to what can show of it.
  EXPECT_NE(customer.find(">MSDataListLib.DataC</text>"), std::string::npos);
  EXPECT_NE(customer.find(">Customers &amp; Orders</text>"), std::string::npos);

  const std::string scroller =
      FormPreview::Svg(*ReadForm(kSource / "tests/golden/small_screen_scrolls/expected.FRM"));
  // The panel is taller than the client area and no wider: the vertical bar stands at the
  // right edge, full height, and the horizontal one just below the client area, out of sight
  // and so out of the picture.
  EXPECT_EQ(BoxIn(scroller, "tvkVScrollBar"), (std::array{580, 23, 17, 565}));
  EXPECT_EQ(BoxIn(scroller, "tvkHScrollBar")[1], -1);
}

TEST(PreviewPicture, ThePngShowsTheButtonFaceTheWhiteFieldAndTheFormsBackground) {
  ScratchFolder folder;
  const CliResult run = RunTavikfw(
      folder.path(), "preview '" + kCustomerForm.string() + "' --form FRMCUSTOMER -o customer.png");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "customer.png\n");
  const PngImage picture((folder.path() / "customer.png").string());
  ASSERT_TRUE(picture.Loaded());
  EXPECT_EQ(picture.Width(), 320);
  EXPECT_EQ(picture.Height(), 240);
  const std::string svg = FormPreview::Svg(*ReadForm(kCustomerForm));
  const auto button = BoxIn(svg, "cmdSave");
  const auto field = BoxIn(svg, "txtName");
  EXPECT_EQ(picture.At(button[0] + 6, button[1] + button[3] / 2), 0xC0C0C0u);
  EXPECT_EQ(picture.At(field[0] + field[2] / 2, field[1] + field[3] / 2), 0xFFFFFFu);
  EXPECT_EQ(picture.At(30, 33), 0xC0C0C0u);
  EXPECT_EQ(picture.At(200, 12), 0x000080u);
}

TEST(PreviewCommandLine, BadOrMissingFormsAndOtherPictureKindsWriteNothing) {
  ScratchFolder folder;
  const std::string whole = ReadWholeFile(kCustomerForm);
  WriteWholeFile(folder.path() / "CUT.FRM", whole.substr(0, whole.find("Width   ")));
  CliResult run = RunTavikfw(folder.path(), "preview CUT.FRM -o cut.svg");
  EXPECT_EQ(run.status, 65);
  EXPECT_NE(run.err.find("CUT.FRM, line 9:"), std::string::npos) << run.err;
  EXPECT_EQ(RunTavikfw(folder.path(), "preview MISSING.FRM -o cut.png").status, 66);
  EXPECT_EQ(RunTavikfw(folder.path(), "preview CUT.FRM -o cut.bmp").status, 64);
  EXPECT_EQ(RunTavikfw(folder.path(), "preview '" + kCustomerForm.string() + "' --form X -o x.svg")
                .status,
            64);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3)
      << "only CUT.FRM, out.txt and err.txt";
  run = RunTavikfw(folder.path(), "inspect '" + kCustomerForm.string() + "' --preview .");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::exists(folder.path() / "frmCustomer.svg"));
  EXPECT_TRUE(PngImage((folder.path() / "frmCustomer.png").string()).Loaded());
}

TEST(PreviewCommandLine, CaptionsAreReadInTheCodePageTheFormWasSavedIn) {
  ScratchFolder folder;
  // "Клиенты" in Windows-1251, as the caption of a form and of its label.
  const std::string clients = "\xCA\xEB\xE8\xE5\xED\xF2\xFB";
  WriteWholeFile(folder.path() / "CLIENTS.FRM",
                 "VERSION 4.00\r\nBegin VB.Form frmClients\r\n   Caption = \"" + clients +
                     "\"\r\n   ClientHeight = 1000\r\n   ClientWidth = 3000\r\n"
                     "   Begin VB.Label lblClients\r\n      Caption = \"" +
                     clients +
                     "\"\r\n      Height = 300\r\n      Width = 2000\r\n   End\r\nEnd\r\n");
  ASSERT_EQ(RunTavikfw(folder.path(), "preview CLIENTS.FRM --encoding CP1251 -o c.svg").status, 0);
  const std::string svg = ReadWholeFile(folder.path() / "c.svg");
  EXPECT_NE(svg.find("<title>Клиенты</title>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("xml:space=\"preserve\">Клиенты</text>"), std::string::npos) << svg;
  EXPECT_EQ(RunTavikfw(folder.path(), "preview CLIENTS.FRM --encoding NONE -o n.svg").status, 64);
  const CliResult run =
      RunTavikfw(folder.path(), "inspect CLIENTS.FRM --encoding CP1251 --preview .");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(ReadWholeFile(folder.path() / "frmClients.svg").find(">Клиенты</text>"),
            std::string::npos);
}

}  // namespace
}  // namespace tavik::testing
