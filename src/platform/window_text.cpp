// Window titles, as the environment in force reports them.
#include "platform/window_text.h"

namespace tavik {

namespace {
WindowTextSource& Source() {
  static WindowTextSource source;
  return source;
}
}  // namespace

std::string ReadWindowText(TVK_HANDLE window) {
  if (!Source()) return "";
  std::string text = Source()(window);
  if (text.size() > 80) text.resize(80);
  return text;
}

void SetWindowTextSource(WindowTextSource source) {
  Source() = std::move(source);
}

}  // namespace tavik
