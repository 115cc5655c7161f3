// What controls and visualizers see of the form they are made for: what they add, what they ask.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"
#include "form/ctrl_handle.h"
#include "tavikfw/client.h"

namespace tavik {

class CCtrlDesc;
class CCtrlGroup;
class CEventDesc;
class CNxPropertySection;
class CTimerCtrl;
class VbNameMaker;

// The form description implements this; generators below the form reach it through nothing
// else, so that a change to how the form lays out or writes itself never reaches them.
class FormContext {
 public:
  virtual ~FormContext() = default;

  // What they ask: the Visual Basic version written, the client, the form's timer (none
  // until the first control needs one), the database the code opens, the names of lists.
  virtual std::uint16_t GetVersion() const = 0;
  virtual CClntDesc* GetClntDesc() const = 0;
  virtual CTimerCtrl* GetTimerCtrl() const = 0;
  virtual const std::string& GetDefaultDatabaseString() const = 0;
  // The Load event's lines that point a data control at the open database.
  virtual std::string DataControlLoadCode(std::string_view data_ctrl) const = 0;
  // A valid-value list of the model by its rule name; null when the model has none.
  virtual CNxPropertySection* GetValidValueList(std::string_view rule_name) const = 0;
  // The name of a valid-value list's array (without "_List"), the same for every request.
  virtual const std::string& ListName(std::string_view list_id) = 0;
  // Control base names, each made distinct on the form.
  virtual VbNameMaker& ControlBaseNames() = 0;
  // Whether the Load event already declares the variable that holds a text box's window
  // style (text boxes that change case share it).
  virtual int GWLFlagSet() const = 0;
  virtual void GWLFlagSet(int flag) = 0;

  // What they add: controls (each under a handle the form hands out, numbered in tab
  // order), event procedures and procedures (made on first use), module declarations.
  virtual CtrlHandle GetCurrCtrlHandle() = 0;
  virtual std::int32_t GetCurrTabIndex() = 0;
  virtual Status SetCtrl(std::unique_ptr<CCtrlDesc> control) = 0;
  virtual CEventDesc* GetEvent(std::string_view name) = 0;
  virtual CEventDesc* MakeProcedure(std::string_view name) = 0;
  // A procedure made earlier, else null: asking makes none, so that a misspelt name finds
  // nothing instead of adding an empty procedure to the form.
  virtual CEventDesc* FindProcedure(std::string_view name) const = 0;
  [[nodiscard]] virtual Status AddGlobalDeclaration(std::string_view text) = 0;
  virtual std::string RepopulateName() const = 0;
  // Has the client make the visualizer of an edit style for an attribute (or, for a grid,
  // an entity); the entity floor asks it for each attribute it generates.
  [[nodiscard]] virtual Status AllocateVisualizer(std::int32_t edit_style, void* object) = 0;
  // Takes every control of the group and of its nested groups off the form (the controls
  // of an attribute whose generation failed).
  virtual void RemoveGroupCtrls(const CCtrlGroup& group) = 0;

  CEventDesc* LoadEvent() { return GetEvent("Load"); }
  // The procedures every entity and the form get, under the names the generated code calls.
  static std::string SetToScreenName(std::string_view entity);
  // Puts the columns' defaults into the boxes of a new record; made by the first box of
  // the entity whose column has one.
  static std::string SetDefaultsName(std::string_view entity);
  // Clears an entity's boxes for a new record.
  static std::string ResetName(std::string_view entity);
  CEventDesc* SetToScreenProcedure(std::string_view entity) {
    return MakeProcedure(SetToScreenName(entity));
  }
  CEventDesc* SetDefaultsProcedure(std::string_view entity) {
    return MakeProcedure(SetDefaultsName(entity));
  }
  CEventDesc* RepopulateProcedure() { return MakeProcedure(RepopulateName()); }

  // Every character a Visual Basic name may not hold becomes "_".
  static void ValidateString(std::string& text);
};

}  // namespace tavik
