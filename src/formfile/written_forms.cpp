// The listeners of the forms written on a thread, innermost first.
#include "formfile/written_forms.h"

#include <algorithm>

namespace tavik::formfile {

namespace {
thread_local WrittenForms* innermost = nullptr;
}  // namespace

WrittenForms::WrittenForms() : outer_(innermost) {
  innermost = this;
}

WrittenForms::~WrittenForms() {
  innermost = outer_;
}

const FormTally* WrittenForms::Find(const std::string& path) const {
  auto found = std::find_if(forms_.rbegin(), forms_.rend(),
                            [&](const Form& form) { return form.path == path; });
  return found == forms_.rend() ? nullptr : &found->tally;
}

void WrittenForms::Report(const std::string& path, const FormTally& tally) {
  for (WrittenForms* listener = innermost; listener != nullptr; listener = listener->outer_) {
    listener->forms_.push_back({path, tally});
  }
}

}  // namespace tavik::formfile
