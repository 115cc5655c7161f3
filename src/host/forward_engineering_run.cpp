// The forward-engineering run, step by step.
#include "host/forward_engineering_run.h"

#include <fmt/format.h>

#include "base/string_table.h"
#include "controls/timer_ctrl.h"
#include "form/code_text.h"
#include "form/form_desc.h"
#include "host/form_info_dialog.h"
#include "host/registry.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "platform/screen_info.h"
#include "tavikfw/brenlo.h"

namespace tavik {

ForwardEngineeringRun::ForwardEngineeringRun(std::uint32_t host_value, std::uint16_t version)
    : host_value_(host_value), version_(version) {}

ForwardEngineeringRun::~ForwardEngineeringRun() = default;

Status ForwardEngineeringRun::StartModel() {
  client_ = Registry::Instance().FindClient(Registry::CurrentProcess());
  if (!client_) {
    BR_Done();
    return kNoClient;
  }
  std::uint32_t version4_flag = client_->version == 3 ? 0 : 1;
  if (BR_Start(host_value_, version4_flag) != 1) {
    BR_Done();
    return kModelNotStarted;
  }
  return kOk;
}

Status ForwardEngineeringRun::AskFormInfo(bool& cancelled) {
  CFormInfoDlg dialog(form_.get());
  auto* frontend = CurrentPlatform().form_info_frontend;
  cancelled =
      !frontend || frontend->Run(dialog, client_->can_generate != 0) != DialogResult::kAccepted;
  return kOk;
}

void ForwardEngineeringRun::AddModuleDeclarations() {
  static constexpr const char* kDeclarations[] = {
      "Option Explicit\r\n",           "Dim bAbort As Integer\r\n",
      "Dim bPopulated As Integer\r\n", "Dim bFormLoaded As Integer\r\n",
      "Dim nNoRepos As Integer\r\n",   "Dim tvkDBConn As Database\r\n",
      "Dim FnErr As Integer\r\n",      "Dim nReposInProgress As Integer\r\n",
      "Dim nButton As Integer\r\n",    "Dim bNoClick As Integer\r\n"};
  for (const char* declaration : kDeclarations) (void)form_->AddGlobalDeclaration(declaration);
}

std::string ForwardEngineeringRun::LoadEventOpening() const {
  CodeText code;
  code.Line(1, "Screen.MousePointer = HOURGLASS")
      .Line(1, "bFormLoaded = FALSE")
      .Line(1, "On Error GoTo load_handler")
      .Line(1, fmt::format("Set tvkDBConn = OpenDatabase(\"{}\",FALSE,FALSE,\"{}\")",
                           form_->GetDefaultDatabaseString(), form_->GetDefaultConnectString()))
      .Line(1, "If bAbort Then")
      .Line(2, "On Error GoTo 0")
      .Line(2, "Unload Me")
      .Line(2, "Exit Sub")
      .Line(1, "End If");
  return code.Take();
}

std::string ForwardEngineeringRun::LoadEventClosing() const {
  CodeText code;
  code.Line(1, "Screen.MousePointer = ARROW")
      .Line(1, form_->GetTimerCtrl()->GetCtrlName() + ".Enabled = True")
      .Line(1, "Exit Sub")
      .Blank()
      .Line("load_handler:")
      .Line(1, "Select Case Err")
      .Line(1, "Case 3059 'canceled by user")
      .Line(2, "bAbort = True")
      .Line(2, "Resume Next")
      .Blank()
      .Line(1, "Case Else")
      .Line(2, "Select Case tk_ErrorPrompt(Err, \"\", 0, \"\")")
      .Line(3, "Case vbYes:")
      .Line(4, "Resume")
      .Line(3, "Case vbNo:")
      .Line(4, "bAbort = True")
      .Line(4, "Resume Next")
      .Line(2, "End Select")
      .Line(1, "End Select");
  return code.Take();
}

Status ForwardEngineeringRun::SeedFormCode() {
  load_event_ = form_->LoadEvent();
  if (!load_event_) {
    BR_Done();
    return kNoEvent;
  }
  CEventDesc* repopulate = form_->RepopulateProcedure();
  if (!repopulate) {
    BR_Done();
    return kNoEvent;
  }
  CodeText repopulate_code;
  repopulate_code.Line(1, "bFormLoaded = True").Line(1, "'Refresh minimal nodes");
  repopulate->Append(SubEvent::kMain, SubEventSlot::kBody, repopulate_code.str());
  AddModuleDeclarations();
  load_event_->Append(SubEvent::kMain, SubEventSlot::kBody, LoadEventOpening());
  return kOk;
}

Status ForwardEngineeringRun::ReadModel() {
  Status status = form_->ReadRelations();
  if (status == kOk) status = form_->ReadEntities();
  // The model is closed here, before anything else is generated.
  BR_Done();
  if (status != kOk) return status;
  return form_->BuildParentChildLists();
}

Status ForwardEngineeringRun::AddTimerCode() {
  CTimerCtrl* timer = form_->GetTimerCtrl();
  CEventDesc* timer_event = timer->GetEvent("Timer");
  if (!timer_event) return kNoEvent;
  timer_event->Append(SubEvent::kMain, SubEventSlot::kHead,
                      fmt::format("\t{}.Enabled = False\r\n", timer->GetCtrlName()));
  timer_event->Prepend(SubEvent::kMain, SubEventSlot::kTail,
                       CodeText().Line(1, form_->RepopulateName()).str());
  return kOk;
}

void ForwardEngineeringRun::FitToScreen(float& width, float& height) {
  ScreenMetrics metrics =
      CurrentPlatform().screen ? CurrentPlatform().screen->Metrics() : ScreenMetrics{};
  float screen_width = static_cast<float>(metrics.width_pixels) /
                       static_cast<float>(metrics.pixels_per_inch_x) * 1440.0f;
  float screen_height = static_cast<float>(metrics.height_pixels) /
                        static_cast<float>(metrics.pixels_per_inch_y) * 1440.0f;
  width = 200.0f;
  height = 200.0f;
  form_->SetFormVScrolling(0);
  form_->SetFormHScrolling(0);
  form_->PlaceControls(width, height);
  float top = 200.0f;
  (void)form_->AddCloseButton(width, top);

  std::string warning;
  bool virtual_space = client_->can_write_to_virtual_space != 0;
  if (width > screen_width) {
    form_->SetFormHScrolling(1);
    if (!virtual_space) warning += std::string(StringTable::Text(StringTable::kFormTooWide)) + "\n";
  } else {
    screen_width = width;
  }
  if (height > screen_height) {
    form_->SetFormVScrolling(1);
    if (!virtual_space) warning += std::string(StringTable::Text(StringTable::kFormTooHigh)) + "\n";
  } else {
    screen_height = height;
  }
  if (!warning.empty() && CurrentPlatform().message_boxes) {
    CurrentPlatform().message_boxes->ShowMessage("", warning);
  }
  AddFormProperties(width, height, screen_width, screen_height);
}

void ForwardEngineeringRun::AddFormProperties(float width, float height, float screen_width,
                                              float screen_height) {
  (void)form_->AddProperty(Value::Long(static_cast<std::int32_t>(0x80000000u)), "BackColor");
  (void)form_->AddProperty(Value::Single(width + 400.0f), "Width");
  (void)form_->AddProperty(Value::Single(height + 800.0f), "Height");
  (void)form_->AddProperty(Value::Single(screen_width + 400.0f), "FormWidth");
  (void)form_->AddProperty(Value::Single(screen_height + 800.0f), "FormHeight");
}

Status ForwardEngineeringRun::Run() {
  if (Status status = StartModel()) return status;
  form_ = std::make_unique<CFormDesc>();
  if (Status status = form_->Init(0, nullptr, nullptr, client_, version_)) {
    BR_Done();
    return status;
  }
  bool cancelled = false;
  (void)AskFormInfo(cancelled);
  if (cancelled) {
    BR_Done();
    return kOk;
  }
  if (Status status = SeedFormCode()) return status;
  if (Status status = ReadModel()) return status;
  CTimerCtrl* timer = form_->CreateTimer();
  if (!timer) return kNoEvent;
  if (Status status = form_->AddTimer(timer)) return status;
  if (Status status = form_->ProcessGlobalStrings()) return status;
  if (Status status = form_->GenerateEntities()) return status;
  if (Status status = form_->DoCrossEntityProcessing()) return status;
  if (Status status = AddTimerCode()) return status;
  float width = 0.0f;
  float height = 0.0f;
  FitToScreen(width, height);
  load_event_->Append(SubEvent::kMain, SubEventSlot::kBody, LoadEventClosing());
  return client_->can_generate ? form_->GenerateForm(0, 1) : form_->GenerateForm(1, 0);
}

}  // namespace tavik
