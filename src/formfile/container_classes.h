// The intrinsic control classes that hold controls of their own.
#pragma once

#include <string_view>

namespace tavik::formfile {

// A picture box and a frame hold controls; their children are read beneath them. The class
// is named without the "VB." of later files.
inline bool IsContainerClass(std::string_view class_name) {
  return class_name == "PictureBox" || class_name == "Frame";
}

}  // namespace tavik::formfile
