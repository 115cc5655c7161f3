// The listeners of the forms written on a thread, innermost first.
#include "formfile/written_forms.h"

#include <algorithm>
#include <utility>

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

void WrittenForms::Report(const std::string& path, FormTally tally) {
  WrittenForms* outermost = innermost;
  for (WrittenForms* listener = innermost; listener != nullptr; listener = listener->outer_) {
    outermost = listener;
    if (listener->outer_ != nullptr) listener->forms_.push_back({path, tally});
  }
  // The outermost listener takes the tally itself: a large form's names are not held twice.
  if (outermost != nullptr) outermost->forms_.push_back({path, std::move(tally)});
}

void WrittenForms::KeepUntilExit() {
  static auto* kept = new std::vector<std::vector<Form>>();
  kept->push_back(std::move(forms_));
}

}  // namespace tavik::formfile
