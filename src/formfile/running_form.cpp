// The tree of a running form's controls, with lookups by handle and by name.
#include "formfile/running_form.h"

namespace tavik::formfile {

namespace {

void Visit(const std::vector<std::unique_ptr<RunningControl>>& controls,
           const std::function<void(RunningControl&)>& visit) {
  for (const auto& control : controls) {
    visit(*control);
    Visit(control->children, visit);
  }
}

}  // namespace

std::string RunningForm::Caption() const {
  const FormProperty* caption = FindProperty(properties_, "Caption");
  return caption ? caption->text.str() : std::string();
}

RunningControl* RunningForm::AddControl(std::unique_ptr<RunningControl> control,
                                        RunningControl* container) {
  control->container = container;
  RunningControl* added = control.get();
  (container ? container->children : controls_).push_back(std::move(control));
  Index(*added);
  return added;
}

RunningControl* RunningForm::FindControl(TVK_HANDLE handle) const {
  auto found = by_handle_.find(handle);
  return found == by_handle_.end() ? nullptr : found->second;
}

RunningControl* RunningForm::FindControl(std::string_view name) const {
  RunningControl* match = nullptr;
  ForEachControl([&](RunningControl& control) {
    if (!match && SameName(control.name, name)) match = &control;
  });
  return match;
}

void RunningForm::ForEachControl(const std::function<void(RunningControl&)>& visit) const {
  Visit(controls_, visit);
}

void RunningForm::AssignHandles(const std::function<TVK_HANDLE()>& handle_source) {
  ForEachControl([&](RunningControl& control) {
    if (control.handle == 0) {
      control.handle = handle_source();
      by_handle_[control.handle] = &control;
    }
  });
}

void RunningForm::Index(RunningControl& control) {
  if (control.handle != 0) by_handle_[control.handle] = &control;
  for (auto& child : control.children) {
    child->container = &control;
    Index(*child);
  }
}

}  // namespace tavik::formfile
