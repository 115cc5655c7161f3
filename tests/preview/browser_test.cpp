// The SVG of a form opened in a real browser: headless Chromium's picture has the form's size
// and the colours librsvg paints at the centres of known controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fakes/cli_run.h"
#include "preview/png_image.h"

namespace tavik::testing {
namespace {

namespace fs = std::filesystem;

// The browser's window is larger than the form, so the picture's edge shows.
constexpr int kMargin = 20;

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
  const fs::path profile = folder.path() / "profile";
  const std::string command =
      "cd '" + folder.path().string() +
      "' && timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic "
      "--no-first-run --disable-background-networking --disable-component-update "
      "--disable-sync --hide-scrollbars --user-data-dir='" +
      profile.string() + "' --window-size=" + std::to_string(width + kMargin) + "," +
      std::to_string(height + kMargin) + " --screenshot=browser.png 'file://" +
      (folder.path() / "form.svg").string() + "' >browser.log 2>&1";
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

}  // namespace
}  // namespace tavik::testing
