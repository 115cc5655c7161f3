// One forward-engineering run: from the host's model to a form file or a live form.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "base/status.h"
#include "tavikfw/client.h"

namespace tavik {

class CFormDesc;
class CEventDesc;
class ModelSession;

class ForwardEngineeringRun {
 public:
  // The run's own statuses, as its table of failures numbers them.
  enum RunFault : Status { kModelNotStarted = 4, kNoClient = 5 };

  ForwardEngineeringRun(std::uint32_t host_value, std::uint16_t version);
  ~ForwardEngineeringRun();

  // 0 for success or a cancelled dialog, else the first failing step's status.
  [[nodiscard]] Status Run();

 private:
  [[nodiscard]] Status StartModel();
  // Whether the user accepted the form information.
  bool AskFormInfo();
  [[nodiscard]] Status SeedFormCode();
  void AddModuleDeclarations();
  std::string LoadEventOpening() const;
  std::string LoadEventClosing() const;
  // Reads the model and closes the library before anything is generated.
  [[nodiscard]] Status ReadModel(ModelSession& session);
  [[nodiscard]] Status AddTimerCode();
  static std::pair<float, float> ScreenTwips();
  // Room between the form's edges and its controls.
  static constexpr float kFormMargin = 200.0f;
  void FitToScreen(float& width, float& height);
  void AddFormProperties(float width, float height, float screen_width, float screen_height);

  std::uint32_t host_value_;
  std::uint16_t version_;
  CClntDesc* client_ = nullptr;
  std::unique_ptr<CFormDesc> form_;
  CEventDesc* load_event_ = nullptr;
};

}  // namespace tavik
