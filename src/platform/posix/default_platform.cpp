// The services a POSIX process has before a host installs its own.
#include "platform/default_platform.h"

#include "platform/ini_settings_file.h"
#include "platform/native_disk.h"
#include "platform/posix/fixed_screen_info.h"
#include "platform/posix/freetype_text_measurer.h"
#include "platform/posix/stderr_message_boxes.h"
#include "platform/settings_path.h"

namespace tavik {

Platform DefaultPlatform() {
  static StderrMessageBoxes message_boxes;
  static IniSettingsFile settings(DefaultSettingsPath());
  static FixedScreenInfo screen;
  static FreetypeTextMeasurer text_measurer;
  static NativeDisk disk;
  Platform platform;
  platform.message_boxes = &message_boxes;
  platform.settings = &settings;
  platform.screen = &screen;
  platform.text_measurer = &text_measurer;
  platform.disk = &disk;
  return platform;
}

}  // namespace tavik
