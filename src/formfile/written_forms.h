// The forms written on this thread while a listener lives, each with what its printer counted.
#pragma once

#include <string>
#include <vector>

#include "formfile/form_tally.h"

namespace tavik::formfile {

// The writers of form files tell every listener of the thread what they wrote once a form is
// in its file, so a command judges a form's limits from its printing and never reads it back.
// Listeners nest (a project's generation runs a generate of its own); each hears every form.
class WrittenForms {
 public:
  struct Form {
    std::string path;
    FormTally tally;
  };

  WrittenForms();
  ~WrittenForms();
  WrittenForms(const WrittenForms&) = delete;
  WrittenForms& operator=(const WrittenForms&) = delete;

  // The forms heard of, in the order written.
  const std::vector<Form>& Forms() const { return forms_; }
  // The last form written at path, or nothing.
  const FormTally* Find(const std::string& path) const;

  // Called by a writer once the form at path is written whole.
  static void Report(const std::string& path, FormTally tally);

  // Leaves the forms heard of to the process's exit, which takes their memory back at once:
  // a large form's tally holds tens of thousands of names, each freed on its own otherwise.
  // Only for a process that ends with this listener's run; the forms stay reachable.
  void KeepUntilExit();

 private:
  WrittenForms* outer_;
  std::vector<Form> forms_;
};

}  // namespace tavik::formfile
