// Writing a model file from the schema of a database (a file, or on a server).
#include "cli/import_command.h"

#include <fmt/format.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "brenlo/model_parser.h"
#include "cli/command_line.h"
#include "cli/output_guard.h"
#include "import/database_schema.h"
#include "import/imported_schema.h"
#include "platform/file_output.h"
#include "project/record_features.h"

namespace tavik::cli {

namespace {

// The model the reader made of the text and the schema it was written from, kept reachable
// until the exit, which takes their memory back at once instead of piece by piece.
void KeepUntilExit(std::unique_ptr<brenlo::Model> model,
                   std::optional<import::ImportedSchema> schema) {
  static auto* kept = new std::vector<
      std::pair<std::unique_ptr<brenlo::Model>, std::optional<import::ImportedSchema>>>();
  kept->emplace_back(std::move(model), std::move(schema));
}

}  // namespace

int ImportCommand::Run() {
  OutputGuard guard("tavikfw import");
  guard.AddInput(options_.database_path, "database");
  guard.SetForce(options_.force);
  if (int status = guard.Check(options_.output, "model file")) return status;
  project::RecordFeatures features;
  if (std::string fault = features.TakeTableColumns(options_.lookups, {}); !fault.empty()) {
    fmt::print(stderr, "tavikfw import: {}\n", fault);
    return kExitUsage;
  }
  // The text is written from the schema as read, the lookups named in it first: building
  // the model document only to write it would cost more than the reading.
  import::DatabaseSchema::Schema schema = import::DatabaseSchema::ReadImported(
      options_.database_path, options_.schema, "tavikfw import");
  if (schema.status != 0) return schema.status;
  import::ImportedSchema& imported = *schema.imported;
  for (const auto& [table, column] : features.lookups) {
    if (std::string fault = imported.SetDisplayColumn("--lookup", table, column); !fault.empty()) {
      fmt::print(stderr, "tavikfw import: {}\n", fault);
      return kExitUsage;
    }
  }
  imported.NameLookups([](const import::ImportedSchema::Column& column) {
    return project::RecordFeatures::NamesRows(column.type, column.unique, column.name);
  });
  // What is written must load as a model file does: the model reader is handed each member
  // as the text is written, the events reading the text would give it, and reads the text
  // itself only when it refuses the model, for the message. The file written is read back
  // and compared with the text.
  std::string model_text;
  brenlo::ModelParser::Outcome parsed = brenlo::ModelParser::ParseWalked(
      [&](brenlo::ModelParser& reader) { return imported.WriteModelText(model_text, reader); },
      options_.database_path);
  if (!parsed.model) parsed = brenlo::ModelParser::Parse(model_text, options_.database_path);
  if (!parsed.model) {
    fmt::print(stderr, "Tavik Form Wizard Error: {}\n", parsed.error);
    return kExitModelRefused;
  }
  KeepUntilExit(std::move(parsed.model), std::move(schema.imported));
  if (Status status = WriteFileAtomically(options_.output, model_text)) {
    return static_cast<int>(status);
  }
  guard.RemoveReplacedSpellings();
  fmt::print("{}\n", options_.output);
  return 0;
}

}  // namespace tavik::cli
