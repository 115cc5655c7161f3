// The form being generated or read back: its texts, properties, controls, code and layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "controls/ctrl_desc.h"
#include "form/ctrl_group.h"
#include "form/ctrl_list.h"
#include "form/event_desc.h"
#include "form/form_context.h"
#include "form/vb_name_maker.h"
#include "model/form.h"
#include "model/nx_property_set.h"
#include "model/string_hash_map.h"
#include "tavikfw/client.h"

namespace tavik {

struct FORMMGROBJDESC;
class CTimerCtrl;
class CEntityDesc;
class FormFileText;
class ControlStream;
namespace formfile {
class BlockPrinter;
struct FormTally;
}  // namespace formfile

struct GlobalStringRecord {
  std::string key;
  const void* value;
  std::int32_t index;
};

class CFormDesc final : public CForm, public FormContext {
 public:
  // Characters that may not occur in a generated Visual Basic name (the slash twice).
  static constexpr char m_szForbiddenChars[] = " /-+=()*&^%$#@!~`{}[]:;\"'|\\<,>.?/";
  // Statuses of ReadFormCtrls when the client cannot count a running form's controls, and
  // when it counts none.
  enum ReadCtrlsFault : Status { kNoCtrlCount = 5, kNoCtrls = 6 };

  CFormDesc();
  ~CFormDesc() override;

  [[nodiscard]] Status Init() override { return kOk; }
  // Entities of a form being generated are entity descriptors.
  std::unique_ptr<CEntity> AllocateEntity() override;
  [[nodiscard]] Status Init(TVK_HANDLE form_handle, void* form_manager,
                            FORMMGROBJDESC* form_manager_desc, CClntDesc* client,
                            std::uint16_t version);

  // The longest entity name: the data control's error-handler labels ("ds", the name,
  // "_RepositionErrorHandler") stay within Visual Basic's 40 characters.
  static constexpr std::size_t kMaxEntityNameLength = 15;

  static const char* GetForbiddenChars() { return m_szForbiddenChars; }
  // The Visual Basic names of the form's entities, of its attributes' controls (without the
  // class prefix) and of its valid-value lists, each made distinct within its kind.
  std::string MakeEntityName(std::string_view entity_name);
  VbNameMaker& ControlBaseNames() override { return control_base_names_; }
  const std::string& ListName(std::string_view list_id) override;

  // The sections below are defined in form_desc.cpp unless they name another file.

  // Texts; the name and caption also become the form properties "Name" and "Caption".
  [[nodiscard]] Status SetFormName(std::string_view name);
  [[nodiscard]] Status SetFormCaptionString(std::string_view caption);
  void SetDefaultConnectString(std::string_view text) { connect_string_ = text; }
  void SetDefaultDatabaseString(std::string_view text) { database_string_ = text; }
  // Forms made from a database open a relative database name in the application's folder.
  void SetDatabaseInAppFolder(bool in_app_folder) { database_in_app_folder_ = in_app_folder; }
  void SetFilespec(std::string_view text) { filespec_ = text; }
  const std::string& GetFormName() const { return form_name_; }
  const std::string& GetFormCaptionString() const { return caption_; }
  const std::string& GetDefaultConnectString() const { return connect_string_; }
  const std::string& GetDefaultDatabaseString() const override { return database_string_; }
  // The database the code opens, as a Visual Basic expression.
  std::string DatabaseNameCode() const;
  std::string DataControlLoadCode(std::string_view data_ctrl) const override;
  const std::string& GetFilespec() const { return filespec_; }
  // The filespec, else the form name cut to 8 characters followed by ".FRM".
  std::string GetFileName() const;

  std::uint16_t GetVersion() const override { return version_; }
  std::uint16_t GetRefCount() const { return reference_count_; }
  void SetRefCount(std::uint16_t count) { reference_count_ = count; }
  TVK_HANDLE GetFormHandle() const { return form_handle_; }
  CClntDesc* GetClntDesc() const override { return client_; }
  void SetClntDesc(CClntDesc* client) { client_ = client; }
  TVK_HANDLE GetFormWindowHandle() const { return form_window_; }
  void SetFormWindowHandle(TVK_HANDLE window) { form_window_ = window; }
  int GetFormVScrolling() const { return v_scrolling_; }
  void SetFormVScrolling(int on) { v_scrolling_ = on; }
  int GetFormHScrolling() const { return h_scrolling_; }
  void SetFormHScrolling(int on) { h_scrolling_ = on; }
  int GWLFlagSet() const override { return window_long_flag_; }
  void GWLFlagSet(int flag) override { window_long_flag_ = flag; }

  // Handed out from 0, each call the next.
  CtrlHandle GetCurrCtrlHandle() override { return current_ctrl_handle_++; }
  std::int32_t GetCurrTabIndex() override { return current_tab_index_++; }

  // Form-manager objects of a running form.
  void AddFormMgrObj(void* form_manager, FORMMGROBJDESC* desc);
  void RemoveFormMgrObj(void* form_manager);
  void* GetFormMgrObj() const;
  FORMMGROBJDESC* GetFormMgrDesc() const;

  // Controls, kept by ascending handle. SetCtrl with a handle in use replaces (and destroys)
  // the control there; a handle changed afterwards may be shared, and both controls stay.
  using CtrlMap = CtrlList;
  Status SetCtrl(std::unique_ptr<CCtrlDesc> control) override;
  CCtrlDesc* GetCtrl(CtrlHandle handle) const;
  void RemoveCtrl(const CCtrlDesc* control);
  // Takes every control of the group and of its nested groups off the form.
  void RemoveGroupCtrls(const CCtrlGroup& group) override;
  CtrlMap& GetCtrlMap() { return controls_; }
  void SetDataCtrl(std::unique_ptr<CCtrlDesc> control);
  CCtrlDesc* GetDataCtrl(CtrlHandle handle) const;
  void RemoveDataCtrl(const CCtrlDesc* control);
  CtrlMap& GetDataCtrlMap() { return data_controls_; }
  // Gives the control its new handle and moves it there in whichever list holds it, after
  // the controls already at that handle.
  void ChangeCtrlHandle(CCtrlDesc& control, CtrlHandle handle);
  void ClearFormCtrls();
  void ClearFormDataCtrls(int keep);

  // Form properties, in the order of first addition. Never fails: the status is there for the
  // callers that pass it on.
  Status AddProperty(Value value, std::string_view name);
  std::optional<Value> GetProperty(std::string_view name) const;

  // Event procedures of the form, made on first use, and form-level procedures.
  Status AddEvent(std::unique_ptr<CEventDesc> event);
  Status AddProcedure(std::unique_ptr<CEventDesc> procedure);
  CEventDesc* GetEvent(std::string_view name) override;
  // A procedure its generator makes on first use; FindProcedure makes none, so a misspelt
  // name finds nothing instead of adding an empty procedure to the form.
  CEventDesc* MakeProcedure(std::string_view name) override;
  CEventDesc* FindProcedure(std::string_view name) const override;
  std::string RepopulateName() const override { return form_name_ + "_Repopulate"; }
  CEventDesc* ResetProcedure(std::string_view entity) { return MakeProcedure(ResetName(entity)); }
  void RemoveProcedure(std::string_view name);
  [[nodiscard]] Status AddGlobalDeclaration(std::string_view text) override;
  std::int32_t GetGlobalStringIndex(std::string_view key, const void* value);

  // Valid-value lists become module arrays filled in the Load event.
  [[nodiscard]] Status ProcessGlobalStrings();
  [[nodiscard]] Status AllocateVisualizer(std::int32_t edit_style, void* object) override;

  // Layout (form_layout.cpp).
  CCtrlGroup& GetCtrlGroup() { return *control_group_; }
  void LayoutGroup(CCtrlGroup& group);
  // Places every group of the top group not yet placed, the first from (width, height);
  // both receive the extent.
  void PlaceControls(float& width, float& height);
  // Room the close button takes right of the controls.
  static constexpr float kCloseButtonRoom = 1200.0f;
  // Room the form's frame takes round what it shows, added to the controls' extent.
  static constexpr float kFrameWidth = 400.0f;
  static constexpr float kFrameHeight = 800.0f;
  // The frame of a form that scrolls, its bars' room added (in this order, as floats round).
  static float WidthWithVerticalBar(float width) { return width + 160.0f + 255.0f; }
  static float HeightWithHorizontalBar(float height) { return height + 660.0f + 225.0f; }
  // Has each entity's group placed from (left, top) as soon as the entity is generated and,
  // once the controls reach past the screen's width or height, where the form is sure to
  // scroll, its control blocks printed then and there rather than held to the end. Before
  // GenerateEntities, for a form written to a file.
  void StreamControlsPast(float left, float top, float screen_width, float screen_height);
  [[nodiscard]] Status AddCloseButton(float& width, float& top);
  CTimerCtrl* CreateTimer();
  [[nodiscard]] Status AddTimer(CTimerCtrl* timer);
  CTimerCtrl* GetTimerCtrl() const override { return timer_; }
  CNxPropertySection* GetValidValueList(std::string_view rule_name) const override {
    return CForm::GetValidValueList(rule_name);
  }

  // Generation: entities (entity_generation.cpp), the code that ties them together
  // (cross_entity_processing.cpp), and output (form_generation.cpp).
  [[nodiscard]] virtual Status GenerateEntities();
  [[nodiscard]] virtual Status DoCrossEntityProcessing();
  // The timer's code sets each control of a generated entity into the entity's control array:
  // its attributes in order and, within one, its group depth first. Made as the entity is
  // generated, while its attributes, groups and controls are in the cache; a walk over all of
  // them once every entity is made met each one cold.
  static void AddControlArray(const CEntityDesc& entity);
  // The client builds no live forms, or writes no form files.
  enum OutputFault : Status { kNoLiveOutput = 4, kNoFileOutput = 5 };
  [[nodiscard]] Status GenerateForm(int write_file, int live);

  // The form file's pieces (form_generation.cpp).
  void WriteGlobalDeclarations(formfile::BlockPrinter& printer);
  void WriteProcedures(formfile::BlockPrinter& printer);
  void WriteEvents(formfile::BlockPrinter& printer);
  void ReadFormFile(std::string_view /*path*/) {}
  void GenFormFile(std::string_view /*path*/) {}
  void ReadActiveForm() {}

  // Reading a running form through the client. The name: none when the form has no
  // form-manager object or the client cannot tell it.
  const std::string* ReadFormName();
  // Replaces the controls by those the client describes; data controls stay, for the client
  // may describe them again.
  [[nodiscard]] Status ReadFormCtrls();
  // Has the client describe each control, and the children of each container, under the
  // parent (or the form when there is none).
  void ReadCtrlList(std::span<const TVK_HANDLE> handles, CCtrlDesc* parent);

 private:
  struct ScrollControls;
  // Why an entity could not be generated; the user sees the entity's name and decides. These
  // are generation's documented numbers, 6 to 12; an attribute's faults (CEntityDesc) are
  // numbered for another operation and reuse 8 and up, never seen by the same caller.
  enum EntityFault : Status {
    kNameFailed = 6,
    kDataControlFailed = 7,
    kNoSetToScreen = 8,
    kNoReset = 9,
    kGridFailed = 10,
    kAttributesFailed = 11,
    kGroupFailed = 12,
  };
  // Entity generation (entity_generation.cpp).
  [[nodiscard]] Status GenerateEntity(CEntityDesc& entity);
  // Takes a failed entity off the form: its controls, procedures and links.
  void DropEntity(CEntityDesc& entity);
  bool AskToContinue(const std::string& entity_name);
  // Once the entity's controls are printed from streamed_[first_streamed] on, drops what no
  // later step reads: its attributes' layout groups and the labels in them.
  void ReleasePrintedLayout(const CEntityDesc& entity, std::size_t first_streamed);
  // Output (form_generation.cpp; the live form in form_live_output.cpp).
  [[nodiscard]] Status BuildScrollControls(ScrollControls& scroll, int live);
  [[nodiscard]] Status AddScrollPanel(ScrollControls& scroll, int live);
  [[nodiscard]] Status AddScrollBars(ScrollControls& scroll, int live);
  [[nodiscard]] Status WriteFormFile(ScrollControls& scroll);
  [[nodiscard]] Status WriteStreamedFormFile(ScrollControls& scroll);
  // The controls' blocks from the first not yet printed, the form's end and its code; what
  // the printer counted.
  formfile::FormTally WriteFormRest(FormFileText& out, formfile::BlockPrinter& printer,
                                    ScrollControls& scroll);
  std::vector<CCtrlDesc*> WriteControlBlocks(FormFileText& out, formfile::BlockPrinter& printer,
                                             ScrollControls& scroll);
  void WriteCode(FormFileText& out, formfile::BlockPrinter& printer,
                 const std::vector<CCtrlDesc*>& controls);
  [[nodiscard]] Status GenerateLiveForm(ScrollControls& scroll);
  void LoadLiveCode(TVK_HANDLE form_handle, const std::string& code_text);
  // "VERSION", the form's "Begin", its caption and properties (its own, or those foreseen).
  void WriteFormOpening(formfile::BlockPrinter& printer,
                        const std::vector<CNxProperty>& properties) const;
  // The length of the opening and of the scrolled panel's properties that the streamed form
  // will have, as foreseen once the form is sure to scroll.
  std::size_t ForeseenOpeningSize();
  std::string BuildCodeText();
  // Layout (form_layout.cpp).
  void PlaceGroup(const CCtrlGroup& group, float origin_x, float origin_y);
  void StartPlacement(float left, float top);
  // Places the groups added since the last placement, each below the one before.
  void PlaceNewGroups();
  // Whether the controls placed already reach past the screen.
  bool SureToScroll() const;
  // Once the form is sure to scroll, prints the controls made since the last call to the
  // stream (form_generation.cpp).
  void StreamNewControls();
  // A long entity name makes a wide data control, whose arrows the buttons beside narrow
  // fields would cover: those buttons move to its right. Others stay where they are.
  void KeepButtonsOffDataControl(const CEntityDesc& entity);

  std::uint16_t version_ = 0;
  std::uint16_t reference_count_ = 0;
  CtrlMap data_controls_;
  CtrlMap controls_;
  std::vector<std::pair<void*, FORMMGROBJDESC*>> form_managers_;
  std::string form_name_;
  TVK_HANDLE form_handle_ = 0;
  CNxPropertySet properties_;
  CNxPropertySection* property_section_ = nullptr;
  std::int32_t next_property_id_ = 3;
  std::string connect_string_;
  std::string database_string_;
  bool database_in_app_folder_ = false;
  std::string caption_;
  std::string filespec_;
  StringHashMap<std::unique_ptr<CEventDesc>> events_;
  StringHashMap<std::unique_ptr<CEventDesc>> procedures_;
  StringHashMap<GlobalStringRecord> global_strings_;
  CEventDesc global_declarations_;
  std::int32_t next_global_string_index_ = 0;
  int v_scrolling_ = 0;
  int h_scrolling_ = 0;
  std::unique_ptr<CCtrlGroup> control_group_;
  CtrlHandle current_ctrl_handle_ = 0;
  std::int32_t current_tab_index_ = 0;
  CTimerCtrl* timer_ = nullptr;
  int window_long_flag_ = 0;
  CClntDesc* client_ = nullptr;
  TVK_HANDLE form_window_ = 0;
  // Largest edges met by the placement pass.
  float right_edge_ = 0.0f;
  float bottom_edge_ = 0.0f;
  // Where the placement stands: its left edge, the top of the next group, the last group placed.
  bool placing_ = false;
  float place_left_ = 0.0f;
  float place_top_ = 0.0f;
  std::size_t entities_placed_ = 0;  // as they are generated, for a streamed form
  float next_group_top_ = 0.0f;
  std::optional<std::list<std::unique_ptr<CPosListItem>>::const_iterator> last_placed_;
  // The screen a form streamed while it is generated outgrows; none when it is not streamed.
  struct ScreenSize {
    float width;
    float height;
  };
  std::optional<ScreenSize> stream_past_;
  std::unique_ptr<ControlStream> stream_;
  std::vector<CCtrlDesc*> streamed_;  // the controls printed to the stream, in their order
  CtrlHandle next_unstreamed_ = 0;
  // A control was put, or moved, at a handle the stream had walked past: the blocks written at
  // the end walk every control again, not only those the stream did not reach.
  bool put_behind_stream_ = false;
  bool stream_refused_ = false;  // no scratch file could be had
  VbNameMaker entity_names_;
  VbNameMaker control_base_names_;
  VbNameMaker list_names_;
  std::unordered_map<std::string, std::string> list_names_given_;
};

}  // namespace tavik
