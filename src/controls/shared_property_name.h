// A control property's name interned at its first use, for the places that name it on every
// control.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavik {

// Every control of a form gets its Left, Top, Width, Height and a few more, and the layout
// reads them back: a name held as a constant of this type is looked up in the process's set
// of names (PropertyNames) once, and from then on a control finds or adds the property by the
// shared copy's address alone. The few names every control is given also have a slot of
// their own, by which a control keeps where their properties stand in its list.
class SharedPropertyName {
 public:
  static constexpr std::uint8_t kNoSlot = 0xFF;
  static constexpr std::uint8_t kSlotCount = 13;

  constexpr explicit SharedPropertyName(std::string_view text, std::uint8_t slot = kNoSlot)
      : text_(text), slot_(slot) {}
  SharedPropertyName(const SharedPropertyName&) = delete;
  SharedPropertyName& operator=(const SharedPropertyName&) = delete;

  std::string_view Text() const { return text_; }
  // Below kSlotCount for the names of ctrl_props, kNoSlot for any other.
  std::uint8_t Slot() const { return slot_; }
  // The process's copy of the name.
  const std::string& Shared() const {
    const std::string* shared = shared_.load(std::memory_order_acquire);
    return shared ? *shared : Intern();
  }

 private:
  const std::string& Intern() const;

  std::string_view text_;
  std::uint8_t slot_;
  mutable std::atomic<const std::string*> shared_{nullptr};
};

}  // namespace tavik

namespace tavik::ctrl_props {

// The names that nearly every control of a form is given or asked for.
inline constinit SharedPropertyName kName{"Name", 0};
inline constinit SharedPropertyName kCaption{"Caption", 1};
inline constinit SharedPropertyName kLeft{"Left", 2};
inline constinit SharedPropertyName kTop{"Top", 3};
inline constinit SharedPropertyName kWidth{"Width", 4};
inline constinit SharedPropertyName kHeight{"Height", 5};
inline constinit SharedPropertyName kTabIndex{"TabIndex", 6};
inline constinit SharedPropertyName kAlignment{"Alignment", 7};
inline constinit SharedPropertyName kBackColor{"BackColor", 8};
inline constinit SharedPropertyName kForeColor{"ForeColor", 9};
inline constinit SharedPropertyName kBackStyle{"BackStyle", 10};
inline constinit SharedPropertyName kDataSource{"DataSource", 11};
inline constinit SharedPropertyName kDataField{"DataField", 12};

// The names above by their slots.
inline constexpr std::array<const SharedPropertyName*, SharedPropertyName::kSlotCount> kSlotNames{
    &kName,      &kCaption,   &kLeft,      &kTop,       &kWidth,      &kHeight,   &kTabIndex,
    &kAlignment, &kBackColor, &kForeColor, &kBackStyle, &kDataSource, &kDataField};

}  // namespace tavik::ctrl_props
