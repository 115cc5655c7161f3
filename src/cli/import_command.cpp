// Writing a model file from the schema of a SQLite database.
#include "cli/import_command.h"

#include <fmt/format.h>

#include <filesystem>
#include <new>
#include <system_error>

#include "brenlo/model_parser.h"
#include "brenlo/sqlite_schema_reader.h"
#include "cli/command_line.h"
#include "platform/file_output.h"
#include "tavikfw/brenlo.h"

namespace tavik::cli {

namespace {

constexpr const char* kErrorCaption = "Tavik Form Wizard Error";

}  // namespace

int ImportCommand::Run() {
  try {
    return Import();
  } catch (const std::bad_alloc&) {
    fmt::print(stderr, "{}: there is not enough memory to import the database\n", kErrorCaption);
    return kExitModelRefused;
  }
}

int ImportCommand::Import() {
  std::error_code ignored;
  if (std::filesystem::equivalent(options_.database_path, options_.output, ignored)) {
    fmt::print(stderr, "tavikfw import: the model file would replace the database {}\n",
               options_.database_path);
    return kExitUsage;
  }
  brenlo::SqliteSchemaReader::Outcome outcome =
      brenlo::SqliteSchemaReader::Read(options_.database_path, options_.schema);
  if (outcome.status != BR_LOAD_OK) {
    fmt::print(stderr, "{}: {}\n", kErrorCaption, outcome.error);
    return outcome.status == BR_LOAD_UNREADABLE ? kExitModelUnreadable : kExitModelRefused;
  }
  const std::string text = brenlo::SqliteSchemaReader::ModelText(outcome.model);
  // What is written must load as a model file does, so it goes through the same reading.
  brenlo::ModelParser::Outcome parsed = brenlo::ModelParser::Parse(text, options_.database_path);
  if (!parsed.model) {
    fmt::print(stderr, "{}: {}\n", kErrorCaption, parsed.error);
    return kExitModelRefused;
  }
  if (Status status = WriteFileAtomically(options_.output, text)) return static_cast<int>(status);
  fmt::print("{}\n", options_.output);
  return 0;
}

}  // namespace tavik::cli
