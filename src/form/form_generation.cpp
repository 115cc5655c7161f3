// Form output: the scroll panel and bars, the form file text, and live creation.
#include <utility>
#include <vector>

#include "controls/color_names.h"
#include "form/control_stream.h"
#include "form/form_desc.h"
#include "form/form_file_text.h"
#include "form/form_scroll_controls.h"
#include "form/form_text.h"
#include "form/vb_fragment.h"
#include "formfile/block_printer.h"
#include "formfile/written_forms.h"
#include "platform/file_output.h"

namespace tavik {

namespace {

// The scrolled panel that holds every control but the scroll bars, as the file names it.
constexpr const char* kPanelClass = "SSPanel";
constexpr const char* kPanelName = "tvkSSPanel";

// Keeps the scroll bars along the form's edges, shown only where the panel does not fit.
std::string ResizeCode() {
  return VbFragment(R"(
        ' Position the scroll bars:
        tvkHScrollBar.Left = 0
        tvkVScrollBar.Top = 0
        If tvkSSPanel.Width > ScaleWidth Then
            tvkHScrollBar.Top = ScaleHeight - tvkHScrollBar.Height
        Else
            tvkHScrollBar.Top = ScaleHeight
        End If
        If tvkSSPanel.Height > tvkHScrollBar.Top Then
            tvkVScrollBar.Left = ScaleWidth - tvkVScrollBar.Width
            If tvkSSpanel.Width > tvkVScrollBar.Left Then
                tvkHScrollBar.Top = ScaleHeight - tvkHScrollBar.Height
            End If
        Else
            tvkVScrollBar.Left = ScaleWidth
        End If
        tvkHScrollBar.Width = ScaleWidth
        tvkVScrollBar.Height = tvkHScrollBar.Top
        ' Set the scroll bar ranges
        tvkHScrollBar.Max = tvkSSPanel.Width - tvkVScrollBar.Left
        tvkVScrollBar.Max = tvkSSPanel.Height - tvkHScrollBar.Top
        tvkHScrollBar.SmallChange = Abs(tvkHScrollBar.Max / 16) + 1
        tvkHScrollBar.LargeChange = Abs(tvkHScrollBar.Max / 4) + 1
        tvkVScrollBar.SmallChange = Abs(tvkVScrollBar.Max / 16) + 1
        tvkVScrollBar.LargeChange = Abs(tvkVScrollBar.Max / 4) + 1
        tvkHScrollBar.ZOrder 0
        tvkVScrollBar.ZOrder 0
    )");
}

}  // namespace

Status CFormDesc::AddScrollPanel(ScrollControls& scroll, int live) {
  scroll.panel = std::make_unique<CCtrlDesc>();
  CCtrlDesc& panel = *scroll.panel;
  if (Status status = panel.Init(live ? "Threed.SSPanel" : kPanelClass, version_, this, nullptr)) {
    return status;
  }
  panel.SetCtrlName(kPanelName);
  panel.AddProperty(Value::String(kPanelName), "Name");
  panel.AddProperty(Value::String(""), "Caption");
  auto height = GetProperty("Height");
  if (!height) return kMissingProperty;
  panel.AddProperty(*height, "Height");
  auto width = GetProperty("Width");
  if (!width) return kMissingProperty;
  panel.AddProperty(*width, "Width");
  panel.AddProperty(Value::Single(0.0f), "Top");
  panel.AddProperty(Value::Single(0.0f), "Left");
  panel.AddProperty(Value::Long(ColorFromName("Silver")), "BackColor");
  scroll.panel_height = height->AsSingle();
  scroll.panel_width = width->AsSingle();
  CEventDesc* resize = GetEvent("Resize");
  if (!resize) return kNoEvent;
  resize->Append(SubEvent::kMain, SubEventSlot::kBody, ResizeCode(), SubEventPlacement::kFirst);
  return kOk;
}

namespace {

struct ScrollBarSpec {
  const char* class_name;
  const char* name;
  float left, top, width, height;
  std::string change_code;
};

Status MakeScrollBar(std::unique_ptr<CCtrlDesc>& bar, const ScrollBarSpec& spec,
                     std::uint16_t version, CFormDesc* form) {
  bar = std::make_unique<CCtrlDesc>();
  if (Status status = bar->Init(spec.class_name, version, form, nullptr)) return status;
  bar->SetCtrlName(spec.name);
  bar->AddProperty(Value::String(spec.name), "Name");
  bar->AddProperty(Value::Single(spec.left), "Left");
  bar->AddProperty(Value::Single(spec.top), "Top");
  bar->AddProperty(Value::Single(spec.width), "Width");
  bar->AddProperty(Value::Single(spec.height), "Height");
  CEventDesc* change = bar->GetEvent("Change");
  if (!change) return kNoEvent;
  change->Append(SubEvent::kMain, SubEventSlot::kBody, spec.change_code, SubEventPlacement::kFirst);
  return kOk;
}

}  // namespace

Status CFormDesc::AddScrollBars(ScrollControls& scroll, int /*live*/) {
  auto form_height = GetProperty("FormHeight");
  if (!form_height) return kMissingProperty;
  float new_height = form_height->AsSingle() + 660.0f + 225.0f;
  ScrollBarSpec horizontal{"HScrollBar",
                           "tvkHScrollBar",
                           0.0f,
                           scroll.panel_height,
                           scroll.panel_width + 255.0f,
                           255.0f,
                           VbFragment(R"(
        tvkSSPanel.Left = -tvkHScrollBar.Value
    )")};
  if (Status status = MakeScrollBar(scroll.horizontal, horizontal, version_, this)) return status;
  AddProperty(Value::Single(new_height), "Height");

  auto form_width = GetProperty("FormWidth");
  if (!form_width) return kMissingProperty;
  float new_width = form_width->AsSingle() + 160.0f + 255.0f;
  ScrollBarSpec vertical{"VScrollBar",
                         "tvkVScrollBar",
                         scroll.panel_width,
                         0.0f,
                         255.0f,
                         scroll.panel_height,
                         VbFragment(R"(
        tvkSSPanel.Top = -tvkVScrollBar.Value
    )")};
  if (Status status = MakeScrollBar(scroll.vertical, vertical, version_, this)) return status;
  AddProperty(Value::Single(new_width), "Width");
  return kOk;
}

Status CFormDesc::BuildScrollControls(ScrollControls& scroll, int live) {
  if (!v_scrolling_ && !h_scrolling_) return kOk;
  if (Status status = AddScrollPanel(scroll, live)) return status;
  return AddScrollBars(scroll, live);
}

void CFormDesc::WriteFormOpening(formfile::BlockPrinter& printer) const {
  printer.Version("2.00");
  printer.Begin("Form", form_name_);
  std::string caption;
  formfile::BlockPrinter::AppendQuoted(caption, caption_);
  printer.Caption(caption);
  WriteProperties(printer);
}

void CFormDesc::WriteProperties(formfile::BlockPrinter& printer) const {
  for (const auto& property : property_section_->GetPropertyList()) printer.Property(property);
}

void CFormDesc::WriteGlobalDeclarations(formfile::BlockPrinter& printer) {
  std::string& text = printer.text();
  if (const auto& declarations = global_declarations_.GetDeclarations()) {
    text += "' Tavik-Generated Global Declarations\r\n";
    text += *declarations;
  }
  text += "\r\n";
}

namespace {

void WriteProcedure(formfile::BlockPrinter& printer, const std::string& name,
                    CEventDesc& procedure) {
  printer.Line("' Tavik-Generated Form Level Procedure");
  FormText::EventBlock(printer, {name}, procedure, FormText::kProcedureComments);
}

void WriteFormEvent(formfile::BlockPrinter& printer, const std::string& name, CEventDesc& event) {
  FormText::EventBlock(printer, {"Form_", name}, event, FormText::kFormEventComments);
}

}  // namespace

void CFormDesc::WriteProcedures(formfile::BlockPrinter& printer) {
  procedures_.ForEach([&](const std::string& name, std::unique_ptr<CEventDesc>& procedure) {
    WriteProcedure(printer, name, *procedure);
  });
}

void CFormDesc::WriteEvents(formfile::BlockPrinter& printer) {
  events_.ForEach([&](const std::string& name, std::unique_ptr<CEventDesc>& event) {
    WriteFormEvent(printer, name, *event);
  });
}

Status CFormDesc::GenerateForm(int write_file, int live) {
  if (live && !(client_ && client_->can_generate)) return kNoLiveOutput;
  if (!live && !(client_ && client_->can_write_to_file)) return kNoFileOutput;
  ScrollControls scroll;
  if (Status status = BuildScrollControls(scroll, live)) return status;
  Status status = live ? GenerateLiveForm(scroll) : WriteFormFile(scroll);
  if (status == kOk && write_file && !live && client_->ops && client_->ops->FormFileWritten) {
    std::string path = GetFileName();
    client_->ops->FormFileWritten(client_, path.c_str());
  }
  return status;
}

std::string CFormDesc::BuildCodeText() {
  std::string code;
  formfile::BlockPrinter printer(code);
  WriteGlobalDeclarations(printer);
  WriteProcedures(printer);
  WriteEvents(printer);
  return code;
}

// The form's tally goes to the listeners once the file is in place, not for a file that
// failed. A streamed form's control blocks wait in their scratch file for the form's opening.
Status CFormDesc::WriteFormFile(ScrollControls& scroll) {
  formfile::FormTally tally;
  const std::string path = GetFileName();
  Status status = WriteFileAtomically(path, [&](TextSink& file) {
    FormFileText out(file);
    formfile::BlockPrinter opening(out.text());
    WriteFormOpening(opening);
    if (scroll.panel) scroll.panel->OpenBlock(opening);
    if (!stream_) {
      tally = WriteFormRest(out, opening, scroll);
      return;
    }
    out.HandOver();
    stream_->MoveTo(file);
    tally = WriteFormRest(stream_->out(), stream_->printer(), scroll);
    // The panel's size is counted where its block opens.
    tally.panel_height = opening.tally().panel_height;
    tally.panel_width = opening.tally().panel_width;
  });
  if (status == kOk) formfile::WrittenForms::Report(path, std::move(tally));
  return status;
}

formfile::FormTally CFormDesc::WriteFormRest(FormFileText& out, formfile::BlockPrinter& printer,
                                             ScrollControls& scroll) {
  const std::vector<CCtrlDesc*> written = WriteControlBlocks(out, printer, scroll);
  printer.End();
  WriteCode(out, printer, written);
  out.HandOver();
  return printer.TakeTally();
}

// The stream's printer starts where the blocks of the form and of its panel have opened, as
// the file's will have when they follow it: at their depth, with the form's name counted.
void CFormDesc::StreamNewControls() {
  if (!stream_) {
    if (stream_refused_ || !SureToScroll()) return;
    stream_ = ControlStream::Open(GetFileName());
    // Without a scratch file every block waits for the end, as for a form that fits.
    stream_refused_ = !stream_;
    if (!stream_) return;
    stream_->printer().Begin("Form", form_name_);
    stream_->printer().Begin(kPanelClass, kPanelName);
    stream_->out().text().clear();
  }
  for (auto entry = controls_.lower_bound(next_unstreamed_); entry != controls_.end(); ++entry) {
    next_unstreamed_ = entry->first + 1;
    CCtrlDesc& control = *entry->second;
    if (!control.GetDrawFlag()) continue;
    control.WriteCtrlToFile(stream_->printer());
    control.DropPrintedProperties();
    streamed_.push_back(&control);
    control.SetDrawFlag(0);
    stream_->out().HandOverWhenLarge();
  }
}

// The control blocks go to the file as they are made, after those streamed already; the
// controls written are returned, in their order, for their procedures come after the form's
// own code. The controls the stream walked past were printed then or are not drawn: they are
// not walked again, each a miss in the cache by now.
std::vector<CCtrlDesc*> CFormDesc::WriteControlBlocks(FormFileText& out,
                                                      formfile::BlockPrinter& printer,
                                                      ScrollControls& scroll) {
  std::vector<CCtrlDesc*> written = std::move(streamed_);
  written.reserve(controls_.size() + 2);
  const auto unwalked =
      put_behind_stream_ ? controls_.begin() : controls_.lower_bound(next_unstreamed_);
  for (auto entry = unwalked; entry != controls_.end(); ++entry) {
    CCtrlDesc* control = entry->second.get();
    if (!control->GetDrawFlag()) continue;
    control->WriteCtrlToFile(printer);
    written.push_back(control);
    control->SetDrawFlag(0);
    out.HandOverWhenLarge();
  }
  // The scrolled panel holds every control but its scroll bars.
  if (scroll.panel) printer.End();
  for (auto* bar : {scroll.horizontal.get(), scroll.vertical.get()}) {
    if (!bar) continue;
    bar->WriteCtrlToFile(printer);
    written.push_back(bar);
  }
  return written;
}

// The code as BuildCodeText joins it, handed to the file procedure by procedure.
void CFormDesc::WriteCode(FormFileText& out, formfile::BlockPrinter& printer,
                          const std::vector<CCtrlDesc*>& controls) {
  WriteGlobalDeclarations(printer);
  procedures_.ForEach([&](const std::string& name, std::unique_ptr<CEventDesc>& procedure) {
    WriteProcedure(printer, name, *procedure);
    out.HandOverWhenLarge();
  });
  events_.ForEach([&](const std::string& name, std::unique_ptr<CEventDesc>& event) {
    WriteFormEvent(printer, name, *event);
    out.HandOverWhenLarge();
  });
  for (CCtrlDesc* control : controls) {
    control->WriteEventsToFile(printer);
    out.HandOverWhenLarge();
  }
}

}  // namespace tavik
