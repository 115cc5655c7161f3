// Writing a model file from the schema of a SQLite database.
#include "cli/import_command.h"

#include <fmt/format.h>

#include "brenlo/model_parser.h"
#include "cli/command_line.h"
#include "cli/output_guard.h"
#include "import/database_schema.h"
#include "platform/file_output.h"

namespace tavik::cli {

int ImportCommand::Run() {
  OutputGuard guard("tavikfw import");
  guard.AddInput(options_.database_path, "database");
  guard.SetForce(options_.force);
  if (int status = guard.Check(options_.output, "model file")) return status;
  import::DatabaseSchema::Imported imported =
      import::DatabaseSchema::Import(options_.database_path, options_.schema, "tavikfw import");
  if (imported.status != 0) return imported.status;
  // What is written must load as a model file does, so it goes through the same reading.
  brenlo::ModelParser::Outcome parsed =
      brenlo::ModelParser::Parse(imported.model_text, options_.database_path);
  if (!parsed.model) {
    fmt::print(stderr, "Tavik Form Wizard Error: {}\n", parsed.error);
    return kExitModelRefused;
  }
  if (Status status = WriteFileAtomically(options_.output, imported.model_text)) {
    return static_cast<int>(status);
  }
  guard.RemoveReplacedSpellings();
  fmt::print("{}\n", options_.output);
  return 0;
}

}  // namespace tavik::cli
