// What `tavikfw generate` was asked to do.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/screen_info.h"
#include "platform/settings_file.h"
#include "project/record_features.h"

namespace tavik::cli {

enum class EntityErrorAnswer { kAsk, kContinue, kStop };

struct GenerateOptions {
  std::string model_path;
  std::uint16_t version = 4;
  // Texts as given (UTF-8); nothing for an option not given.
  std::optional<std::string> name;
  std::optional<std::string> caption;
  std::optional<std::string> database;
  std::optional<std::string> connect;
  // The model was made from a database: a relative database name is opened in the
  // application's folder.
  bool from_database = false;
  std::optional<std::string> output;
  // The path messages give for output: where a staged output goes once the run is done.
  std::optional<std::string> shown_output;
  // Generate live in the environment, which saves the form in this folder.
  std::optional<std::string> live_folder;
  std::optional<std::string> settings_path;
  // Settings a caller keeps across several runs and stores itself (a project's); the run
  // otherwise reads settings_path and stores what it changed when it succeeds.
  SettingsFile* shared_settings = nullptr;
  // The form file may replace one that is there (never a read-only one).
  bool force = false;
  ScreenMetrics screen;
  std::optional<EntityErrorAnswer> on_entity_error;
  // Whether the dialog may ask on the terminal (standard input is one).
  bool interactive = false;
  // Whether the written form's path goes to standard output.
  bool print_written_path = true;
  // Find and Cancel buttons, the record's position; a database gets them all, and its
  // records in order, unasked.
  project::RecordFeatures features;
  // TABLE=COLUMN as given to --lookup and --order.
  std::vector<std::string> lookups;
  std::vector<std::string> orders;
};

}  // namespace tavik::cli
