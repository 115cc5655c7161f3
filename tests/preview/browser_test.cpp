// Pictures opened in a real browser: headless Chromium's picture of a form's SVG has the form's
// size and the colours librsvg paints at the centres of known controls, and a project's
// gallery page shows the picture of every form.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fakes/cli_run.h"
#include "fakes/sqlite_database.h"
#include "preview/png_image.h"

namespace tavik::testing {
namespace {

namespace fs = std::filesystem;

// The browser's window is larger than the form, so the picture's edge shows.
constexpr int kMargin = 20;

// Runs headless Chromium in folder with the arguments, its output into browser.log.
std::string Chromium(const fs::path& folder, const std::string& arguments) {
  return "cd '" + folder.string() +
         "' && timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic "
         "--no-first-run --disable-background-networking --disable-component-update "
         "--disable-sync --hide-scrollbars --user-data-dir='" +
         (folder / "profile").string() + "' " + arguments;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(PreviewInBrowser, ChromiumDrawsTheSvgWithTheSizeAndColoursOfTheLibrsvgPicture) {
  if (std::system("command -v chromium >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "chromium is not installed (scripts/setup.sh installs it)";
  }
  ScratchFolder folder;
  const std::string form =
      (fs::path(TAVIK_SOURCE_DIR) / "tests/preview/forms/vb5_customer.frm").string();
  ASSERT_EQ(RunTavikfw(folder.path(), "preview '" + form + "' -o form.svg").status, 0);
  ASSERT_EQ(RunTavikfw(folder.path(), "preview '" + form + "' -o form.png").status, 0);
  const PngImage drawn((folder.path() / "form.png").string());
  ASSERT_TRUE(drawn.Loaded());
  const int width = drawn.Width();
  const int height = drawn.Height();
  const std::string command = Chromium(
      folder.path(), "--window-size=" + std::to_string(width + kMargin) + "," +
                         std::to_string(height + kMargin) + " --screenshot=browser.png 'file://" +
                         (folder.path() / "form.svg").string() + "' >browser.log 2>&1");
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadWholeFile(folder.path() / "browser.log");
  const PngImage shown((folder.path() / "browser.png").string());
  ASSERT_TRUE(shown.Loaded());
  // The window's black bottom right corner is the picture's last pixel; the page beyond it.
  EXPECT_EQ(shown.At(width - 1, height - 1), 0x000000u);
  EXPECT_EQ(shown.At(width + kMargin / 2, height + kMargin / 2), 0xFFFFFFu);
  // The caption bar, the form's background, the text box's field, the button's face.
  for (auto [x, y] : {std::pair{200, 12}, {30, 33}, {192, 72}, {226, 211}}) {
    EXPECT_EQ(shown.At(x, y), drawn.At(x, y)) << "at " << x << "," << y;
  }
}

TEST(PreviewInBrowser, AProjectsGalleryShowsThePictureOfEveryFormWithItsNameAndTable) {
  if (std::system("command -v chromium >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "chromium is not installed (scripts/setup.sh installs it)";
  }
  ScratchFolder folder;
  MakeDatabase(folder.path() / "shop.db",
               "CREATE TABLE CUSTOMER(CUST_ID INTEGER PRIMARY KEY, CUST_NAME TEXT);"
               "CREATE TABLE ORDERS(ORDER_ID INTEGER PRIMARY KEY, CUST_ID INTEGER REFERENCES "
               "CUSTOMER, SHIPPED DATE);");
  const CliResult run =
      RunTavikfw(folder.path(), "project shop.db -o shop --settings x.ini --preview");
  ASSERT_EQ(run.status, 0) << run.err;
  const fs::path gallery = folder.path() / "shop" / "preview";
  ASSERT_EQ(std::system(Chromium(folder.path(), "--virtual-time-budget=10000 --dump-dom 'file://" +
                                                    (gallery / "index.html").string() +
                                                    "' >page.html 2>browser.log")
                            .c_str()),
            0)
      << ReadWholeFile(folder.path() / "browser.log");
  const std::string page = ReadWholeFile(folder.path() / "page.html");
  // A form for each table and the start-up form; each picture loaded and marked so.
  std::size_t forms = 0;
  for (const auto& entry : fs::directory_iterator(folder.path() / "shop")) {
    forms += entry.path().extension() == ".FRM" ? 1 : 0;
  }
  EXPECT_EQ(Count(page, "class=\"shown\""), forms) << page;
  EXPECT_EQ(Count(page, "<figure>"), forms);
  for (const char* table : {"table CUSTOMER", "table ORDERS"}) {
    EXPECT_NE(page.find(table), std::string::npos) << table;
  }
}

}  // namespace
}  // namespace tavik::testing
