// A form as its file holds it: the form block as a tree of controls, and the code.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formfile/form_property.h"
#include "tavikfw/client.h"

namespace tavik::formfile {

// A property group as a later form file opens it ("BeginProperty Font {0BE35203-...}"): its
// path among the flattened "Group.member" properties ("Font", "Column00.DataFormat"), what
// its line holds after its name (" {0BE35203-...}", blanks included), and how many of its
// owner's properties came before it (where a group without members stands).
struct PropertyGroup {
  std::string path;
  std::string after_name;
  std::size_t position = 0;
};

struct RunningControl {
  std::string class_name;  // as the form file names it ("TextBox", "VB.TextBox", "Threed.SSPanel")
  std::string name;
  TVK_HANDLE handle = 0;  // given by the environment; 0 until then
  PropertyList properties;
  std::vector<std::unique_ptr<RunningControl>> children;
  RunningControl* container = nullptr;  // none for a control placed on the form
  int line = 0;                         // of its Begin line, for a control read from a file
  std::vector<PropertyGroup> groups;    // the property groups it was read with
  std::string after_name;               // what its Begin line held after its name (blanks)
};

class RunningForm {
 public:
  // The "VERSION" of the file the form came from ("2.00" for forms this system writes).
  const std::string& FileVersion() const { return file_version_; }
  void SetFileVersion(std::string version) { file_version_ = std::move(version); }
  // The class of the form block ("Form", or "VB.Form" in later files).
  const std::string& FormClass() const { return form_class_; }
  void SetFormClass(std::string form_class) { form_class_ = std::move(form_class); }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // The form's caption: its "Caption" property, empty without one. It is also the title of
  // the form's window.
  std::string Caption() const;

  PropertyList& Properties() { return properties_; }
  const PropertyList& Properties() const { return properties_; }
  // The form's own controls, each with its children.
  const std::vector<std::unique_ptr<RunningControl>>& Controls() const { return controls_; }
  // Adds a control on the form (container none) or inside a container of this form.
  RunningControl* AddControl(std::unique_ptr<RunningControl> control, RunningControl* container);
  // The control of that handle, or none.
  RunningControl* FindControl(TVK_HANDLE handle) const;
  // The first control of that name (case ignored) anywhere on the form, or none.
  RunningControl* FindControl(std::string_view name) const;
  // Every control, containers before their children, in the order of the form block.
  void ForEachControl(const std::function<void(RunningControl&)>& visit) const;
  // Gives each control without a handle the next one of handle_source, containers before
  // their children, so that handles ascend in the order of the form block.
  void AssignHandles(const std::function<TVK_HANDLE()>& handle_source);

  // The lines "Object = ..." before the form block and "Attribute ..." after it, as read;
  // forms of this system have none.
  std::vector<std::string>& ObjectReferences() { return object_references_; }
  const std::vector<std::string>& ObjectReferences() const { return object_references_; }
  std::vector<std::string>& Attributes() { return attributes_; }
  const std::vector<std::string>& Attributes() const { return attributes_; }
  std::vector<PropertyGroup>& Groups() { return groups_; }
  const std::vector<PropertyGroup>& Groups() const { return groups_; }
  // One level of the form block's indent as the file wrote it: a tab in the generator's
  // forms, three blanks in Visual Basic's own (of every version).
  const std::string& Indent() const { return indent_; }
  void SetIndent(std::string indent) { indent_ = std::move(indent); }
  // What the form's Begin line held after its name (Visual Basic ends it with a blank).
  const std::string& AfterName() const { return after_name_; }
  void SetAfterName(std::string after_name) { after_name_ = std::move(after_name); }
  // Whether the file began with a UTF-8 byte-order mark (its text is then UTF-8).
  bool HasUtf8Mark() const { return utf8_mark_; }
  void SetUtf8Mark(bool mark) { utf8_mark_ = mark; }
  // The code part, every line ended by carriage return and line feed.
  const std::string& Code() const { return code_; }
  void SetCode(std::string code) { code_ = std::move(code); }
  // The number of the file's line where the code begins (after the "Attribute" lines), so
  // that what is found in the code names the line of the file.
  int CodeLine() const { return code_line_; }
  void SetCodeLine(int line) { code_line_ = line; }

 private:
  void Index(RunningControl& control);

  std::string file_version_ = "2.00";
  std::string form_class_ = "Form";
  std::string name_;
  PropertyList properties_;
  std::vector<std::unique_ptr<RunningControl>> controls_;
  std::unordered_map<TVK_HANDLE, RunningControl*> by_handle_;
  std::vector<std::string> object_references_;
  std::vector<std::string> attributes_;
  std::vector<PropertyGroup> groups_;
  std::string indent_ = "\t";
  std::string after_name_;
  bool utf8_mark_ = false;
  std::string code_;
  int code_line_ = 1;
};

}  // namespace tavik::formfile
