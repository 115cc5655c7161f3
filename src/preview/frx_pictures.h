// The pictures a form keeps in its ".frx" file, found by the properties that name them.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formfile/form_property.h"
#include "preview/scene.h"

namespace tavik::preview {

class FrxPictures {
 public:
  // folder: where the form file lies, from which the .frx files its properties name are
  // read. Nothing is read without one.
  explicit FrxPictures(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // The picture the property name points at ("FORM1.frx":0000, $"FORM1.frx":0000 or
  // FORM1.FRX:0000, the number a place in the file in hexadecimal), decoded; none when the
  // property is missing or empty, its file or place cannot be read, or no loader reads the
  // picture there. Each picture is read and decoded once.
  std::shared_ptr<const PictureData> Find(const formfile::PropertyList& properties,
                                          std::string_view name);

  // Where the picture at offset lies in a .frx file's bytes, in the order to try: after the
  // header Visual Basic writes before it (its size twice and "lt"), after a size alone, or
  // to the file's end.
  static std::vector<std::string_view> Candidates(std::string_view file, std::size_t offset);

 private:
  const std::optional<std::string>& FileNamed(const std::string& name);

  std::filesystem::path folder_;
  std::map<std::string, std::optional<std::string>> files_;
  std::map<std::string, std::shared_ptr<const PictureData>> pictures_;
};

}  // namespace tavik::preview
