// Form output: the scroll panel and bars, the form file text, and live creation.
#include <algorithm>
#include <cmath>
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

// The scrolled panel's properties in their order, for a panel of that size.
std::vector<std::pair<Value, std::string_view>> PanelProperties(const Value& height,
                                                                const Value& width) {
  std::vector<std::pair<Value, std::string_view>> properties;
  properties.emplace_back(Value::String(kPanelName), "Name");
  properties.emplace_back(Value::String(""), "Caption");
  properties.emplace_back(height, "Height");
  properties.emplace_back(width, "Width");
  properties.emplace_back(Value::Single(0.0f), "Top");
  properties.emplace_back(Value::Single(0.0f), "Left");
  properties.emplace_back(Value::Long(ColorFromName("Silver")), "BackColor");
  return properties;
}

}  // namespace

Status CFormDesc::AddScrollPanel(ScrollControls& scroll, int live) {
  scroll.panel = std::make_unique<CCtrlDesc>();
  CCtrlDesc& panel = *scroll.panel;
  if (Status status = panel.Init(live ? "Threed.SSPanel" : kPanelClass, version_, this, nullptr)) {
    return status;
  }
  panel.SetCtrlName(kPanelName);
  auto height = GetProperty("Height");
  if (!height) return kMissingProperty;
  auto width = GetProperty("Width");
  if (!width) return kMissingProperty;
  for (auto& [value, name] : PanelProperties(*height, *width)) {
    panel.AddProperty(std::move(value), name);
  }
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
  float new_height = HeightWithHorizontalBar(form_height->AsSingle());
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
  float new_width = WidthWithVerticalBar(form_width->AsSingle());
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

void CFormDesc::WriteFormOpening(formfile::BlockPrinter& printer,
                                 const std::vector<CNxProperty>& properties) const {
  printer.Version("2.00");
  printer.Begin("Form", form_name_);
  std::string caption;
  formfile::BlockPrinter::AppendQuoted(caption, caption_);
  printer.Caption(caption);
  for (const auto& property : properties) printer.Property(property);
}

// As the run sizes the form once every control is placed (its FitToScreen), and the scroll
// bars then add their room: the controls' extent grown from the entities placed so far to all
// of them, at the pace so far. Only the lengths of the numbers count: a wrong guess costs a
// copy of the blocks, never another form.
std::size_t CFormDesc::ForeseenOpeningSize() {
  const float placed = static_cast<float>(std::max<std::size_t>(entities_placed_, 1));
  const float unplaced =
      static_cast<float>(GetEntityMap().size()) - static_cast<float>(entities_placed_);
  const float pace = (bottom_edge_ - place_top_) / placed;
  const float height = bottom_edge_ + std::round(pace * std::max(unplaced, 0.0f));
  const float width = right_edge_ + kCloseButtonRoom;
  const float shown_width = width > stream_past_->width ? stream_past_->width : width;
  const float shown_height = height > stream_past_->height ? stream_past_->height : height;
  std::vector<CNxProperty> properties = property_section_->GetPropertyList();
  const std::pair<std::string_view, Value> sizes[] = {
      {"BackColor", Value::Long(static_cast<std::int32_t>(0x80000000u))},
      {"Width", Value::Single(WidthWithVerticalBar(shown_width + kFrameWidth))},
      {"Height", Value::Single(HeightWithHorizontalBar(shown_height + kFrameHeight))},
      {"FormWidth", Value::Single(shown_width + kFrameWidth)},
      {"FormHeight", Value::Single(shown_height + kFrameHeight)}};
  for (const auto& [name, value] : sizes) {
    auto given = std::find_if(properties.begin(), properties.end(),
                              [name = name](const CNxProperty& p) { return p.GetName() == name; });
    if (given != properties.end()) {
      given->SetValue(Value(value));
    } else {
      properties.emplace_back(next_property_id_, value, name);
    }
  }
  std::string text;
  formfile::BlockPrinter printer(text);
  WriteFormOpening(printer, properties);
  printer.Begin(kPanelClass, kPanelName);
  for (auto& [value, name] :
       PanelProperties(Value::Single(height + kFrameHeight), Value::Single(width + kFrameWidth))) {
    printer.Property(CNxProperty(next_property_id_, std::move(value), name));
  }
  return text.size();
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
// failed.
Status CFormDesc::WriteFormFile(ScrollControls& scroll) {
  if (stream_) return WriteStreamedFormFile(scroll);
  formfile::FormTally tally;
  const std::string path = GetFileName();
  Status status = WriteFileAtomically(path, [&](TextSink& file) {
    FormFileText out(file);
    formfile::BlockPrinter opening(out.text());
    WriteFormOpening(opening, property_section_->GetPropertyList());
    if (scroll.panel) scroll.panel->OpenBlock(opening);
    tally = WriteFormRest(out, opening, scroll);
  });
  if (status == kOk) formfile::WrittenForms::Report(path, std::move(tally));
  return status;
}

// A streamed form's control blocks wait in their scratch file for the form's opening, which
// the file begun with them takes when it fits the room left.
Status CFormDesc::WriteStreamedFormFile(ScrollControls& scroll) {
  std::string opening_text;
  formfile::BlockPrinter opening(opening_text);
  WriteFormOpening(opening, property_section_->GetPropertyList());
  if (scroll.panel) scroll.panel->OpenBlock(opening);
  formfile::FormTally tally;
  const std::string path = GetFileName();
  Status status = WriteFileAtomically(
      path,
      [&](TextSink& file) {
        file.Write(opening_text);
        stream_->MoveTo(file);
        tally = WriteFormRest(stream_->out(), stream_->printer(), scroll);
        // The panel's size is counted where its block opens.
        tally.panel_height = opening.tally().panel_height;
        tally.panel_width = opening.tally().panel_width;
      },
      stream_->FileFor(opening_text.size()));
  stream_.reset();  // a scratch file that did not become the form goes now
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
  ++entities_placed_;
  if (!stream_) {
    if (stream_refused_ || !SureToScroll()) return;
    stream_ = ControlStream::Open(GetFileName(), ForeseenOpeningSize());
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
