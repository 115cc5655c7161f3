// The operating-system seam: the one set of platform services a process uses.
#pragma once

namespace tavik {

class Disk;
class MessageBoxes;
class SettingsFile;
class ScreenInfo;
class TextMeasurer;
class SaveFilePicker;
class FormInfoFrontend;
class ReverseEngineeringFrontend;

struct Platform {
  MessageBoxes* message_boxes = nullptr;
  SettingsFile* settings = nullptr;
  ScreenInfo* screen = nullptr;
  TextMeasurer* text_measurer = nullptr;
  SaveFilePicker* save_file_picker = nullptr;
  FormInfoFrontend* form_info_frontend = nullptr;
  ReverseEngineeringFrontend* reverse_engineering_frontend = nullptr;
  Disk* disk = nullptr;
  // The process ends when the run does: a large form is millions of small pieces, which
  // the exit takes back at once instead of one by one.
  bool process_ends_with_run = false;
};

// The services in force. Until a host installs its own, the defaults of the build serve
// (headless: messages to standard error, settings in the default INI file, 1024x768 at 96).
Platform& CurrentPlatform();

// Installs services for the life of the object and restores the previous ones after.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(const Platform& platform);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  Platform previous_;
};

}  // namespace tavik
