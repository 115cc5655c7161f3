// Writing ".MAK" and ".VBP" project files.
#include "project/project_file.h"

#include <algorithm>
#include <string_view>

namespace tavik::project {

namespace {

constexpr const char* kLineEnd = "\r\n";

struct CustomControl {
  std::string_view control_class;  // without its library's name
  std::string_view vb3_file;
  std::string_view vb4_object;
};

// The controls the generator places that do not come with Visual Basic itself.
constexpr CustomControl kCustomControls[] = {
    {"MaskEdBox", "C:\\WINDOWS\\SYSTEM\\MSMASKED.VBX",
     "{C932BA88-4374-101B-A56C-00AA003668DC}#1.0#0; MSMASK32.OCX"},
    {"SSPanel", "C:\\WINDOWS\\SYSTEM\\THREED.VBX",
     "{0BA686C6-F7D3-101A-993E-0000C0EF6F5E}#1.0#0; THREED32.OCX"},
    {"SSCheck", "C:\\WINDOWS\\SYSTEM\\THREED.VBX",
     "{0BA686C6-F7D3-101A-993E-0000C0EF6F5E}#1.0#0; THREED32.OCX"},
    {"SSOption", "C:\\WINDOWS\\SYSTEM\\THREED.VBX",
     "{0BA686C6-F7D3-101A-993E-0000C0EF6F5E}#1.0#0; THREED32.OCX"},
    {"SSFrame", "C:\\WINDOWS\\SYSTEM\\THREED.VBX",
     "{0BA686C6-F7D3-101A-993E-0000C0EF6F5E}#1.0#0; THREED32.OCX"},
    {"Gauge", "C:\\WINDOWS\\SYSTEM\\GAUGE.VBX",
     "{7A080CC8-26E2-101B-AEBD-04021C009402}#1.0#0; GAUGE32.OCX"},
    {"SpreadSheet", "C:\\WINDOWS\\SYSTEM\\SPREAD20.VBX", ""},
    {"DBGrid", "", "{00028C01-0000-0000-0000-000000000046}#1.0#0; DBGRID32.OCX"},
    {"DBCombo", "", "{FAEEE763-117E-101B-8933-08002B2F4F5A}#1.0#0; DBLIST32.OCX"},
};

std::string_view WithoutLibrary(std::string_view control_class) {
  std::size_t dot = control_class.rfind('.');
  return dot == std::string_view::npos ? control_class : control_class.substr(dot + 1);
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

void AddLine(std::string& text, std::string_view line) {
  text += line;
  text += kLineEnd;
}

// Version 3 lists its files one a line, the start-up form first, then its settings.
std::string MakText(const ProjectDescription& project) {
  std::string text;
  for (const ProjectForm& form : project.forms) AddLine(text, form.file);
  AddLine(text, project.module_file);
  for (const std::string& control : project.controls) AddLine(text, control);
  AddLine(text, "ProjWinSize=152,402,248,215");
  AddLine(text, "ProjWinShow=2");
  AddLine(text, "IconForm=" + Quoted(project.startup_form));
  AddLine(text, "Title=" + Quoted(project.title));
  AddLine(text, "ExeName=" + Quoted(project.exe_file));
  return text;
}

std::string VbpText(const ProjectDescription& project) {
  std::string text;
  for (const ProjectForm& form : project.forms) AddLine(text, "Form=" + form.file);
  AddLine(text, "Module=" + project.module_name + "; " + project.module_file);
  for (const std::string& control : project.controls) AddLine(text, "Object=" + control);
  for (const std::string& reference : project.references) AddLine(text, "Reference=" + reference);
  AddLine(text, "ProjWinSize=69,432,248,215");
  AddLine(text, "ProjWinShow=2");
  AddLine(text, "IconForm=" + Quoted(project.startup_form));
  AddLine(text, "Startup=" + Quoted(project.startup_form));
  AddLine(text, "HelpFile=\"\"");
  AddLine(text, "Title=" + Quoted(project.title));
  AddLine(text, "ExeName32=" + Quoted(project.exe_file));
  AddLine(text, "Name=" + Quoted(project.name));
  AddLine(text, "HelpContextID=\"0\"");
  AddLine(text, "StartMode=0");
  AddLine(text, "VersionCompatible32=\"0\"");
  AddLine(text, "MajorVer=1");
  AddLine(text, "MinorVer=0");
  AddLine(text, "RevisionVer=0");
  AddLine(text, "AutoIncrementVer=0");
  AddLine(text, "ServerSupportFiles=0");
  return text;
}

}  // namespace

const char* ProjectFile::Extension(std::uint16_t version) {
  return version == 3 ? "MAK" : "VBP";
}

std::vector<std::string> ProjectFile::Controls(std::uint16_t version,
                                               const std::set<std::string>& control_classes) {
  std::vector<std::string> controls;
  for (const CustomControl& control : kCustomControls) {
    std::string_view entry = version == 3 ? control.vb3_file : control.vb4_object;
    bool used = std::any_of(control_classes.begin(), control_classes.end(),
                            [&](const std::string& used_class) {
                              return WithoutLibrary(used_class) == control.control_class;
                            });
    // Several classes share one file (the 3-D controls): it is listed once.
    if (used && !entry.empty() &&
        std::find(controls.begin(), controls.end(), entry) == controls.end()) {
      controls.emplace_back(entry);
    }
  }
  return controls;
}

std::vector<std::string> ProjectFile::References() {
  return {
      "*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#C:\\WINDOWS\\SYSTEM\\STDOLE2.TLB"
      "#OLE Automation",
      "*\\G{00025E04-0000-0000-C000-000000000046}#3.0#0#C:\\PROGRAM FILES\\COMMON FILES"
      "\\MICROSOFT SHARED\\DAO\\DAO3032.DLL#Microsoft DAO 3.0 Object Library",
  };
}

std::string ProjectFile::Text(const ProjectDescription& project) {
  return project.version == 3 ? MakText(project) : VbpText(project);
}

}  // namespace tavik::project
