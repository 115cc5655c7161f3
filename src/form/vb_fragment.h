// Visual Basic fragments written as they read: raw string literals with $name$ placeholders.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tavik {

// A placeholder's name, which only a literal of the program gives: a fragment knows the
// names of its last call by where they lie, and a literal's text never changes.
class VbName {
 public:
  template <std::size_t N>
  consteval VbName(const char (&text)[N])  // NOLINT(google-explicit-constructor)
      : text_(text, N - 1) {}
  std::string_view text() const { return text_; }

 private:
  std::string_view text_;
};

// One placeholder's value.
struct VbVar {
  VbName name;
  std::string_view value;
};

// The fragment's lines, each ended by a carriage return and line feed. The literal opens
// with a line break after R"( and closes on a line of its own; the blanks before that closing
// )" are the margin. Every four blanks of a line beyond the margin become a tab (a remainder
// stays as blanks), a blank line stays empty, "$name$" becomes the variable's value and "$$"
// a dollar sign. A line that holds nothing but a placeholder whose value is another fragment
// (text ending in a line break) takes that fragment's lines as they are, and disappears when
// the value is empty: that is how optional lines are written. A fragment is part of the program, so
// its faults are the program's: a line inside the margin, a placeholder without a variable or a
// variable without a placeholder stops the program with a message that names it.
std::string VbFragment(std::string_view text, std::initializer_list<VbVar> variables = {});
// The same fragment appended to out, for code that gathers fragments in one text.
void AppendVbFragment(std::string& out, std::string_view text,
                      std::initializer_list<VbVar> variables = {});

// Text as it goes between the quotes of a Visual Basic string literal: each '"' doubled.
std::string VbStringText(std::string_view text);
// The same as a view: of the text itself when it holds no '"', as nearly every name, else of
// storage, which takes the doubled text.
std::string_view VbStringTextView(std::string_view text, std::string& storage);

// A column's default as Visual Basic text: the moment of saving written as the database
// writes it (the time of the machine that runs the form), any other value as a string.
std::string VbDefaultValue(std::string_view column_default);

// The database a form opens, as a Visual Basic expression: its string literal, or, when the
// name is relative and in_app_folder holds, the file of that name in the application's folder
// (tk_AppFile("music.db"), which adds no second backslash to a drive's root), since the
// current folder of a running program is anyone's.
std::string VbDatabaseName(std::string_view database, bool in_app_folder);

}  // namespace tavik
