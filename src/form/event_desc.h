// An event procedure or form-level procedure, collected in numbered sub-events.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace tavik {

struct PARAMDESCRIPTION {
  std::int32_t id;
  const char* name;
  const char* type;
};

// Where code goes in an event procedure: its sub-events, joined in the order they were first
// placed. Different events give the same number different uses, so some share a value.
enum class SubEvent : std::int32_t {
  kMain = 0,                  // an event's or procedure's own code
  kRepositionBeforeLoad = 1,  // the data control's Reposition event, before the form has loaded
  kRepositionFields = 2,      // the Reposition event: fields put on the screen once loaded
  kValidateFieldChecks = 2,   // the data control's Validate event: the controls' field checks
  kValidateBind = 3,          // the Validate event: the save of an edited record
  kClosing = 5,               // Validate and Reposition: the update, the exit and error handlers
};

// The pieces of a sub-event, joined in this order: an opening, the code, a closing.
enum class SubEventSlot : int { kHead = 0, kBody = 1, kTail = 2 };

// Where a new sub-event goes: after all present, before all present, or (BeforeSubEvent)
// before another one (after all present when that one is missing).
enum class SubEventPlacement : std::int32_t { kLast = -1, kFirst = -2 };
constexpr SubEventPlacement BeforeSubEvent(SubEvent id) {
  return static_cast<SubEventPlacement>(id);
}

// How text joins a piece that already holds some.
enum class TextJoin { kBefore, kAfter };

// Tens of thousands of sub-events wait for the form's end, and most hold code alone: the
// opening and the closing are made only when one of them is given text.
struct SUBEVENTDESC {
  std::int32_t id = 0;
  std::string body;
  std::unique_ptr<std::array<std::string, 2>> ends;  // the opening, then the closing

  // The piece, made when it is an opening or closing not made yet.
  std::string& Piece(SubEventSlot slot);
  // The piece, or an empty text when it was never made.
  const std::string& Piece(SubEventSlot slot) const;
};

class CEventDesc {
 public:
  // The class name picks the standard parameter list ("Form" for the form's own events, a
  // control's class, or none for a procedure); 4 for an empty name.
  [[nodiscard]] Status Init(std::string_view name, const char* code, const char* class_name);
  [[nodiscard]] Status SetEventName(std::string_view name);

  const std::string& GetEventName() const { return name_; }
  std::optional<std::string_view> GetDeclarations() const;
  std::optional<std::string> GetEventCode() const;
  // The parameter list as the procedure's first line gives it, appended to text; nothing for
  // an event without parameters.
  bool HasParameters() const { return parameters_ != nullptr; }
  void AppendParameters(std::string& text) const;

  static const PARAMDESCRIPTION* FindParamList(std::string_view event_name, const char* class_name);
  // parameters is a list of static storage, ended by an id of -1.
  void AddParameters(const PARAMDESCRIPTION* parameters) { parameters_ = parameters; }
  void AddDeclarations(std::string_view text);
  // A slot or an id out of range; only a cast can make one.
  enum SubEventFault : Status { kNoSuchSlot = 3, kNoSuchSubEvent = 5 };
  [[nodiscard]] Status AddSubEventCode(std::string_view text, SubEvent id, SubEventSlot slot,
                                       SubEventPlacement placement, TextJoin join);
  // The piece, its sub-event placed when missing, for code appended to it in place.
  std::string& Piece(SubEvent id, SubEventSlot slot,
                     SubEventPlacement placement = SubEventPlacement::kLast);
  // Text after what the piece holds.
  void Append(SubEvent id, SubEventSlot slot, std::string_view text,
              SubEventPlacement placement = SubEventPlacement::kLast);
  // Text before what the piece holds.
  void Prepend(SubEvent id, SubEventSlot slot, std::string_view text,
               SubEventPlacement placement = SubEventPlacement::kLast);
  const SUBEVENTDESC* FindSubEvent(SubEvent id) const;
  const std::string* GetSubEventCode(SubEvent id, SubEventSlot slot) const;
  // Whether the piece holds any code.
  bool HasSubEventCode(SubEvent id, SubEventSlot slot) const;
  std::size_t GetSubEventCount() const { return sub_events_.size(); }
  // Joins every sub-event's pieces, each sub-event ended by one extra line break.
  void PrepareEventCode();
  // Gives back the room its texts grew into and did not fill.
  void ReleaseSpareRoom();
  // The same join, appended to text without keeping it.
  void AppendEventCode(std::string& text) const;

 private:
  SUBEVENTDESC& PlaceSubEvent(std::int32_t id, std::int32_t placement);
  // Kept apart from the search, which most calls end in, so that the search stays small.
  [[gnu::noinline]] SUBEVENTDESC& InsertSubEvent(std::int32_t id, std::int32_t placement);

  // An event waits for the form's end with its code: what few events have is held apart, so
  // that the many stay small.
  std::string name_;
  const PARAMDESCRIPTION* parameters_ = nullptr;  // a list of static storage
  std::unique_ptr<std::string> declarations_;
  std::unique_ptr<std::string> code_;
  // In joining order. An event has at most the few sub-events SubEvent names, so a scan
  // finds one sooner than a hash table would, and tens of thousands of events each keep
  // one small list instead of list nodes and a table.
  std::vector<SUBEVENTDESC> sub_events_;
};

}  // namespace tavik
