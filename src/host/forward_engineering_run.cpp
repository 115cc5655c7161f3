// The forward-engineering run, step by step.
#include "host/forward_engineering_run.h"

#include <vector>

#include "base/string_table.h"
#include "controls/timer_ctrl.h"
#include "form/form_desc.h"
#include "form/vb_fragment.h"
#include "host/form_info_dialog.h"
#include "host/model_session.h"
#include "host/registry.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "platform/screen_info.h"
#include "tavikfw/brenlo.h"

namespace tavik {

ForwardEngineeringRun::ForwardEngineeringRun(std::uint32_t host_value, std::uint16_t version)
    : host_value_(host_value), version_(version) {}

namespace {

// Keeps the form reachable until the exit, which frees it whole.
void KeepUntilExit(std::unique_ptr<CFormDesc> form) {
  static auto* kept = new std::vector<std::unique_ptr<CFormDesc>>();
  kept->push_back(std::move(form));
}

}  // namespace

ForwardEngineeringRun::~ForwardEngineeringRun() {
  if (form_ && CurrentPlatform().process_ends_with_run) KeepUntilExit(std::move(form_));
}

Status ForwardEngineeringRun::StartModel() {
  client_ = Registry::Instance().FindClient(Registry::CurrentProcess());
  if (!client_) return kNoClient;
  std::uint32_t version4_flag = client_->version == 3 ? 0 : 1;
  if (BR_Start(host_value_, version4_flag) != 1) return kModelNotStarted;
  return kOk;
}

bool ForwardEngineeringRun::AskFormInfo() {
  CFormInfoDlg dialog(form_.get());
  auto* frontend = CurrentPlatform().form_info_frontend;
  return frontend && frontend->Run(dialog, client_->can_generate != 0) == DialogResult::kAccepted;
}

void ForwardEngineeringRun::AddModuleDeclarations() {
  // Adding a declaration answers kOk always.
  (void)form_->AddGlobalDeclaration(VbFragment(R"(
    Option Explicit
    Dim bAbort As Integer
    Dim bPopulated As Integer
    Dim bFormLoaded As Integer
    Dim nNoRepos As Integer
    Dim tvkDBConn As Database
    Dim FnErr As Integer
    Dim nReposInProgress As Integer
    Dim nButton As Integer
    Dim bNoClick As Integer
    )"));
}

std::string ForwardEngineeringRun::LoadEventOpening() const {
  return VbFragment(R"(
        Screen.MousePointer = HOURGLASS
        bFormLoaded = FALSE
        On Error GoTo load_handler
        Set tvkDBConn = OpenDatabase($database$,FALSE,FALSE,"$connect$")
        If bAbort Then
            On Error GoTo 0
            Unload Me
            Exit Sub
        End If
    )",
                    {{"database", form_->DatabaseNameCode()},
                     {"connect", VbStringText(form_->GetDefaultConnectString())}});
}

std::string ForwardEngineeringRun::LoadEventClosing() const {
  return VbFragment(R"(
        Screen.MousePointer = ARROW
        $timer$.Enabled = True
        Exit Sub

    load_handler:
        Select Case Err
        Case 3059 'canceled by user
            bAbort = True
            Resume Next

        Case Else
            Select Case tk_ErrorPrompt(Err, "", 0, "")
                Case vbYes:
                    Resume
                Case vbNo:
                    bAbort = True
                    Resume Next
            End Select
        End Select
    )",
                    {{"timer", form_->GetTimerCtrl()->GetCtrlName()}});
}

Status ForwardEngineeringRun::SeedFormCode() {
  load_event_ = form_->LoadEvent();
  if (!load_event_) return kNoEvent;
  CEventDesc* repopulate = form_->RepopulateProcedure();
  if (!repopulate) return kNoEvent;
  repopulate->Append(SubEvent::kMain, SubEventSlot::kBody, VbFragment(R"(
        bFormLoaded = True
        'Refresh minimal nodes
    )"));
  AddModuleDeclarations();
  load_event_->Append(SubEvent::kMain, SubEventSlot::kBody, LoadEventOpening());
  return kOk;
}

Status ForwardEngineeringRun::ReadModel(ModelSession& session) {
  Status status = form_->ReadRelations();
  if (status == kOk) status = form_->ReadEntities();
  // The model is closed here, before anything else is generated.
  session.Close();
  if (status != kOk) return status;
  return form_->BuildParentChildLists();
}

Status ForwardEngineeringRun::AddTimerCode() {
  CTimerCtrl* timer = form_->GetTimerCtrl();
  CEventDesc* timer_event = timer->GetEvent("Timer");
  if (!timer_event) return kNoEvent;
  // The timer runs once: it stops itself and fills the form.
  timer_event->Append(SubEvent::kMain, SubEventSlot::kHead,
                      VbFragment(R"(
        $timer$.Enabled = False
    )",
                                 {{"timer", timer->GetCtrlName()}}));
  timer_event->Prepend(SubEvent::kMain, SubEventSlot::kTail,
                       VbFragment(R"(
        $repopulate$
    )",
                                  {{"repopulate", form_->RepopulateName()}}));
  return kOk;
}

// The screen's width and height in twips.
std::pair<float, float> ForwardEngineeringRun::ScreenTwips() {
  ScreenMetrics metrics =
      CurrentPlatform().screen ? CurrentPlatform().screen->Metrics() : ScreenMetrics{};
  return {static_cast<float>(metrics.width_pixels) / static_cast<float>(metrics.pixels_per_inch_x) *
              1440.0f,
          static_cast<float>(metrics.height_pixels) /
              static_cast<float>(metrics.pixels_per_inch_y) * 1440.0f};
}

// The form scrolls where it is wider (with the close button, CFormDesc::SureToScroll) or
// higher than the screen.
void ForwardEngineeringRun::FitToScreen(float& width, float& height) {
  auto [screen_width, screen_height] = ScreenTwips();
  width = kFormMargin;
  height = kFormMargin;
  form_->SetFormVScrolling(0);
  form_->SetFormHScrolling(0);
  form_->PlaceControls(width, height);
  float top = 200.0f;
  // A form without its Close button still works: the window closes it.
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
    // The caption names the form: a project makes many, and the user must know which.
    CurrentPlatform().message_boxes->ShowMessage(form_->GetFormName(), warning);
  }
  AddFormProperties(width, height, screen_width, screen_height);
}

void ForwardEngineeringRun::AddFormProperties(float width, float height, float screen_width,
                                              float screen_height) {
  form_->AddProperty(Value::Long(static_cast<std::int32_t>(0x80000000u)), "BackColor");
  form_->AddProperty(Value::Single(width + CFormDesc::kFrameWidth), "Width");
  form_->AddProperty(Value::Single(height + CFormDesc::kFrameHeight), "Height");
  form_->AddProperty(Value::Single(screen_width + CFormDesc::kFrameWidth), "FormWidth");
  form_->AddProperty(Value::Single(screen_height + CFormDesc::kFrameHeight), "FormHeight");
}

Status ForwardEngineeringRun::Run() {
  ModelSession session;  // closed on every way out, and by ReadModel before generation
  if (Status status = StartModel()) return status;
  form_ = std::make_unique<CFormDesc>();
  if (Status status = form_->Init(0, nullptr, nullptr, client_, version_)) return status;
  if (!AskFormInfo()) return kOk;  // a cancelled dialog ends the run without a fault
  if (Status status = SeedFormCode()) return status;
  if (Status status = ReadModel(session)) return status;
  CTimerCtrl* timer = form_->CreateTimer();
  if (!timer) return kNoEvent;
  if (Status status = form_->AddTimer(timer)) return status;
  if (Status status = form_->ProcessGlobalStrings()) return status;
  if (!client_->can_generate) {
    auto [screen_width, screen_height] = ScreenTwips();
    form_->StreamControlsPast(kFormMargin, kFormMargin, screen_width, screen_height);
  }
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
