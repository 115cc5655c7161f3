// A control property's name interned at its first use, for the places that name it on every
// control.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

namespace tavik {

// Every control of a form gets its Left, Top, Width, Height and a few more, and the layout
// reads them back: a name held as a constant of this type is looked up in the process's set
// of names (PropertyNames) once, and from then on a control finds or adds the property by the
// shared copy's address alone.
class SharedPropertyName {
 public:
  constexpr explicit SharedPropertyName(std::string_view text) : text_(text) {}
  SharedPropertyName(const SharedPropertyName&) = delete;
  SharedPropertyName& operator=(const SharedPropertyName&) = delete;

  std::string_view Text() const { return text_; }
  // The process's copy of the name.
  const std::string& Shared() const {
    const std::string* shared = shared_.load(std::memory_order_acquire);
    return shared ? *shared : Intern();
  }

 private:
  const std::string& Intern() const;

  std::string_view text_;
  mutable std::atomic<const std::string*> shared_{nullptr};
};

}  // namespace tavik

namespace tavik::ctrl_props {

// The names that nearly every control of a form is given or asked for.
inline constinit SharedPropertyName kName{"Name"};
inline constinit SharedPropertyName kCaption{"Caption"};
inline constinit SharedPropertyName kLeft{"Left"};
inline constinit SharedPropertyName kTop{"Top"};
inline constinit SharedPropertyName kWidth{"Width"};
inline constinit SharedPropertyName kHeight{"Height"};
inline constinit SharedPropertyName kTabIndex{"TabIndex"};
inline constinit SharedPropertyName kAlignment{"Alignment"};
inline constinit SharedPropertyName kBackColor{"BackColor"};
inline constinit SharedPropertyName kForeColor{"ForeColor"};
inline constinit SharedPropertyName kBackStyle{"BackStyle"};
inline constinit SharedPropertyName kDataSource{"DataSource"};
inline constinit SharedPropertyName kDataField{"DataField"};

}  // namespace tavik::ctrl_props
