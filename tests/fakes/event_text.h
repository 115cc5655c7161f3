// Generated texts as tests compare them: sub-event pieces, event code and properties.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/ctrl_desc.h"
#include "form/event_desc.h"

namespace tavik::testing {

// The piece (0 before, 1 the code, 2 after) of the sub-event, "(none)" when there is none.
inline std::string Piece(const CEventDesc* event, std::int32_t sub_event, int part = 1) {
  const std::string* piece = event ? event->GetSubEventCode(static_cast<SubEvent>(sub_event),
                                                            static_cast<SubEventSlot>(part))
                                   : nullptr;
  return piece ? *piece : "(none)";
}

// The event's code as it is written: its sub-events joined.
inline std::string Prepared(CEventDesc* event) {
  if (!event) return "(none)";
  event->PrepareEventCode();
  return event->GetEventCode().value_or("(none)");
}

inline std::string Property(const CCtrlDesc& control, std::string_view name) {
  auto value = control.GetProperty(name);
  return value ? value->Text() : "(none)";
}

}  // namespace tavik::testing
