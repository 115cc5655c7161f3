// Parsing the tavikfw command line.
#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>
#include <regex>
#include <string_view>
#include <vector>

#include "cli/generate_command.h"
#include "cli/import_command.h"
#include "cli/inspect_command.h"
#include "cli/project_command.h"
#include "platform/terminal.h"
#ifdef TAVIK_PREVIEW
#include "cli/preview_command.h"
#endif

namespace tavik::cli {

namespace {

constexpr const char* kForceHelp =
    "Replace the output file that is there (a read-only file or a symbolic link never is)";
constexpr const char* kSettingsHelp =
    "The settings file (TAVIK.INI); by default $TAVIK_INI, else "
    "$XDG_CONFIG_HOME/tavik/TAVIK.INI, else ~/.config/tavik/TAVIK.INI";

constexpr const char* kDatabaseHelp =
    "The database: a SQLite or Access database file, or a database server's address, "
    "postgresql://USER@HOST:PORT/DATABASE?schema=NAME or mariadb://USER@HOST:PORT/DATABASE "
    "(the password from PGPASSWORD or ~/.pgpass, MYSQL_PWD or ~/.my.cnf)";
constexpr const char* kModelOrDatabaseHelp =
    "The model file, or a database: a SQLite or Access database file, or a database server's "
    "address, postgresql://USER@HOST:PORT/DATABASE?schema=NAME or "
    "mariadb://USER@HOST:PORT/DATABASE (the password from PGPASSWORD or ~/.pgpass, MYSQL_PWD "
    "or ~/.my.cnf)";

constexpr const char* kExitStatuses = R"(Exit statuses:
  0      success
  1-63   the run stopped at a step, named by the message before it: 1 out of memory,
         2 a required model property missing or empty, 3 a missing name or event,
         4 a missing list, 5 the entities, 6 the relationships, 7 an attribute's
         relationships, 8 a physical name, 9 an id, 10 an entity's grid and 11 an entity's
         attributes could not be made (with --on-entity-error stop)
  64     usage: a bad option or value, an output that is an input, a settings file that
         is not one, a dialog left unanswered or the end of input at a prompt
  65     the model, database or form file is refused (what and where is said)
  66     the model, database or form file cannot be read
  70     internal fault: a project that does not check, a picture that cannot be drawn
  73     the output cannot be created: it is there (--force replaces it), read-only, a
         symbolic link or a folder, or a project folder holds files
  74     writing the output failed (a full disk)
Settings: --settings, else $TAVIK_INI, else $XDG_CONFIG_HOME/tavik/TAVIK.INI, else
~/.config/tavik/TAVIK.INI; written only after a run that succeeded and changed them.
)";

void AddGenerateOptions(CLI::App& generate, GenerateOptions& options, std::string& screen) {
  generate.add_option("MODEL", options.model_path, kModelOrDatabaseHelp)->required();
  generate.add_option("--vb", options.version, "Visual Basic version of the client (3 or 4)")
      ->check(CLI::IsMember({3, 4}));
  generate.add_option("--name", options.name, "Form name");
  generate.add_option("--caption", options.caption, "Form caption");
  generate.add_option("--database", options.database, "Database string");
  generate.add_option("--connect", options.connect, "Connect string");
  CLI::Option* output =
      generate.add_option("-o,--output", options.output, "The form file to write");
  generate
      .add_option("--live", options.live_folder,
                  "Generate live in the environment, which saves the form in this folder")
      ->excludes(output);
  generate.add_option("--settings", options.settings_path, kSettingsHelp);
  generate.add_flag("--force", options.force, kForceHelp);
  generate.add_option("--screen", screen, "Usable screen size in pixels, WxH")
      ->check(CLI::Validator(
          [](std::string& value) {
            return std::regex_match(value, std::regex("[1-9][0-9]{0,5}x[1-9][0-9]{0,5}"))
                       ? std::string()
                       : std::string("expected WxH, for example 1024x768");
          },
          "WxH"));
  generate.add_option("--dpi", options.screen.pixels_per_inch_x, "Logical pixels per inch")
      ->check(CLI::Range(24, 1200));
  std::map<std::string, EntityErrorAnswer> answers = {{"ask", EntityErrorAnswer::kAsk},
                                                      {"continue", EntityErrorAnswer::kContinue},
                                                      {"stop", EntityErrorAnswer::kStop}};
  generate.add_flag("--find", options.features.find, "A Find button for each data control");
  generate.add_flag("--position", options.features.position,
                    "The record's position and the count in each data control's caption");
  generate.add_flag("--cancel", options.features.cancel, "A Cancel button for each data control");
  generate.add_option("--lookup", options.lookups,
                      "TABLE=COLUMN: the column that names the table's rows (repeatable)");
  generate.add_option("--order", options.orders,
                      "TABLE=COLUMN: the column that orders the table's records (repeatable)");
  generate
      .add_option("--on-entity-error", options.on_entity_error,
                  "The answer to \"Entity Abort!\": ask, continue or stop")
      ->transform(CLI::CheckedTransformer(answers, CLI::ignore_case));
}

void AddImportOptions(CLI::App& import, ImportOptions& options) {
  import.add_option("DB", options.database_path, kDatabaseHelp)->required();
  import.add_option("-o,--output", options.output, "The model file to write")->required();
  import.add_flag("--force", options.force, kForceHelp);
  import
      .add_option("--table", options.schema.tables,
                  "A table to import (repeat for more); every table when none is named")
      ->allow_extra_args(false);
  import.add_option("--lookup", options.lookups,
                    "TABLE=COLUMN: the column that names the table's rows (repeatable)");
  import.add_option("--grid", options.schema.grid_tables, "A table to show as a grid (repeatable)")
      ->allow_extra_args(false);
}

void AddInspectOptions(CLI::App& inspect, InspectOptions& options) {
  inspect.add_option("FORM", options.form_paths, "The form files to run and inspect")->required();
  inspect.add_option("--vb", options.version, "Visual Basic version of the environment (3 or 4)")
      ->check(CLI::IsMember({3, 4}));
  inspect.add_flag("--json", options.json, "Print what the dialog shows as JSON");
  inspect.add_option("--form", options.form_name, "The form to show (the first one otherwise)");
  inspect.add_option("--generate", options.generate_folder,
                     "Regenerate the form live; the environment saves it in this folder");
  inspect.add_option("--encoding", options.encoding,
                     "The code page the forms were saved in (Windows-1252 otherwise)");
  inspect.add_flag("--force", options.force, "--generate may replace a file that is there");
  inspect.add_flag("--smart-re", options.smart_re,
                   "Collect the data sources of the forms and show each data control's fields");
#ifdef TAVIK_PREVIEW
  inspect.add_option(
      "--preview", options.preview_folder,
      "Write a picture of each inspected form (NAME.svg, NAME.png) into this folder");
#endif
}

void AddProjectOptions(CLI::App& project, ProjectOptions& options) {
  project.add_option("MODEL", options.input_path, kModelOrDatabaseHelp)->required();
  project.add_option("-o,--output", options.folder, "The folder to write the project into")
      ->required();
  project.add_option("--vb", options.version, "Visual Basic version of the project (3 or 4)")
      ->check(CLI::IsMember({3, 4}));
  project
      .add_option("--table", options.schema.tables,
                  "A table of the database to make a form of (repeatable); every table otherwise")
      ->allow_extra_args(false);
  project
      .add_option("--grid", options.schema.grid_tables,
                  "A table whose own form shows it as a grid (repeatable)")
      ->allow_extra_args(false);
  project.add_option("--lookup", options.lookups,
                     "TABLE=COLUMN: the column that names the table's rows (repeatable)");
  project.add_option("--order", options.orders,
                     "TABLE=COLUMN: the column that orders the table's records (repeatable)");
  project.add_option("--database", options.database, "Database string of the forms");
  project.add_option("--connect", options.connect, "Connect string of the forms");
  project.add_option("--settings", options.settings_path, kSettingsHelp);
  project.add_flag("--force", options.force,
                   "Write into a folder that holds files, replacing the project's own");
#ifdef TAVIK_PREVIEW
  project.add_flag("--preview", options.preview,
                   "Also draw each form (preview/NAME.svg, NAME.png) and a page of them all "
                   "(preview/index.html)");
#endif
}
#ifdef TAVIK_PREVIEW
void AddPreviewOptions(CLI::App& preview, PreviewOptions& options) {
  preview.add_option("FORM", options.form_path, "The form file to draw")->required();
  preview.add_option("--form", options.form_name, "The name the form must have");
  preview.add_option("-o,--output", options.output, "The picture to write (.svg or .png)")
      ->required();
  preview.add_flag("--force", options.force, kForceHelp);
  preview.add_option("--encoding", options.encoding,
                     "The code page the form was saved in (Windows-1252 otherwise)");
}
#endif

void ApplyScreen(const std::string& screen, GenerateOptions& options) {
  options.screen.pixels_per_inch_y = options.screen.pixels_per_inch_x;
  if (screen.empty()) return;
  auto x = screen.find('x');
  options.screen.width_pixels = std::stoi(screen.substr(0, x));
  options.screen.height_pixels = std::stoi(screen.substr(x + 1));
}

}  // namespace

int CommandLine::Run(int argc, const char* const* argv) {
  CLI::App app{"Tavik Form Wizard: Visual Basic forms from Tavik models", "tavikfw"};
  app.set_version_flag("--version", TAVIKFW_VERSION);
  app.footer(kExitStatuses);
  app.require_subcommand(1);
  // A subcommand's options are made only when its name is among the arguments: making every
  // subcommand's was most of the instructions of a run that only asks for the version.
  const std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + argc);
  auto named = [&](std::string_view name) { return std::ranges::count(arguments, name) > 0; };
  GenerateOptions options;
  std::string screen;
  CLI::App* generate =
      app.add_subcommand("generate", "Generate a form file from a model file or a database");
  if (named("generate")) AddGenerateOptions(*generate, options, screen);
  ImportOptions import_options;
  CLI::App* import =
      app.add_subcommand("import", "Write a model file from the schema of a database");
  if (named("import")) AddImportOptions(*import, import_options);
  InspectOptions inspect_options;
  CLI::App* inspect = app.add_subcommand(
      "inspect",
      "Run form files in the environment and show them in the reverse-engineering dialog");
  if (named("inspect")) AddInspectOptions(*inspect, inspect_options);
  ProjectOptions project_options;
  CLI::App* project = app.add_subcommand(
      "project", "Write a whole Visual Basic project from a model file or a database");
  if (named("project")) AddProjectOptions(*project, project_options);
#ifdef TAVIK_PREVIEW
  PreviewOptions preview_options;
  CLI::App* preview = app.add_subcommand(
      "preview", "Draw a form file as the form shows on a Windows 95 screen, as SVG or PNG");
  if (named("preview")) AddPreviewOptions(*preview, preview_options);
#endif
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int status = app.exit(error);
    return status == 0 ? 0 : kExitUsage;
  }
  if (import->parsed()) return ImportCommand(std::move(import_options)).Run();
  if (inspect->parsed()) return InspectCommand(std::move(inspect_options)).Run();
  if (project->parsed()) return ProjectCommand(std::move(project_options)).Run();
#ifdef TAVIK_PREVIEW
  if (preview->parsed()) return PreviewCommand(std::move(preview_options)).Run();
#endif
  ApplyScreen(screen, options);
  options.interactive = IsTerminal(StandardStream::kInput);
  return GenerateCommand(options).Run();
}

}  // namespace tavik::cli
