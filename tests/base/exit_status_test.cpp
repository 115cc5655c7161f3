// The exit statuses are the numbers the README documents.
#include "base/exit_status.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tavik {
namespace {

TEST(ExitStatus, EachIsARowOfTheReadmesTable) {
  std::ifstream in(std::filesystem::path(TAVIK_SOURCE_DIR) / "README.md");
  std::stringstream readme;
  readme << in.rdbuf();
  for (const ExitStatus status : {kExitOk, kExitUsage, kExitModelRefused, kExitModelUnreadable,
                                  kExitSoftware, kExitCannotCreate, kExitWriteFailed}) {
    EXPECT_NE(readme.str().find("\n| " + std::to_string(status) + " | "), std::string::npos)
        << status;
  }
}

}  // namespace
}  // namespace tavik
