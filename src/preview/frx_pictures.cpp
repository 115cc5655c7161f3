// The pictures a form keeps in its ".frx" file, found by the properties that name them.
#include "preview/frx_pictures.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "preview/png_renderer.h"

namespace tavik::preview {

namespace {

constexpr std::string_view kPictureMark("lt\0\0", 4);
constexpr std::size_t kSizeBytes = 4;

std::optional<std::uint32_t> SizeAt(std::string_view file, std::size_t offset) {
  if (offset > file.size() || file.size() - offset < kSizeBytes) return std::nullopt;
  std::uint32_t size = 0;
  for (std::size_t i = kSizeBytes; i-- > 0;) {
    size = (size << 8) | static_cast<unsigned char>(file[offset + i]);
  }
  return size;
}

// The size-prefixed bytes at offset, when they fit in the file.
std::optional<std::string_view> SizedAt(std::string_view file, std::size_t offset) {
  const std::optional<std::uint32_t> size = SizeAt(file, offset);
  if (!size || *size == 0 || file.size() - offset - kSizeBytes < *size) return std::nullopt;
  return file.substr(offset + kSizeBytes, *size);
}

struct Reference {
  std::string file;
  std::size_t offset = 0;
};

// "FORM1.frx":00A4 (with a "$" before it in some files) or FORM1.FRX:00A4.
std::optional<Reference> ReferenceIn(std::string_view text) {
  if (text.starts_with('$')) text.remove_prefix(1);
  std::string_view name;
  if (text.starts_with('"')) {
    const std::size_t close = text.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    name = text.substr(1, close - 1);
    text.remove_prefix(close + 1);
  } else {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    name = text.substr(0, colon);
    text.remove_prefix(colon);
  }
  if (name.empty() || !text.starts_with(':')) return std::nullopt;
  text.remove_prefix(1);
  Reference reference{std::string(name), 0};
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), reference.offset, 16);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return reference;
}

}  // namespace

std::vector<std::string_view> FrxPictures::Candidates(std::string_view file, std::size_t offset) {
  std::vector<std::string_view> candidates;
  if (offset >= file.size()) return candidates;
  if (file.substr(offset + kSizeBytes).starts_with(kPictureMark)) {
    if (auto sized = SizedAt(file, offset + 2 * kSizeBytes)) candidates.push_back(*sized);
  }
  if (file.substr(offset).starts_with(kPictureMark)) {
    if (auto sized = SizedAt(file, offset + kSizeBytes)) candidates.push_back(*sized);
  }
  if (auto sized = SizedAt(file, offset)) candidates.push_back(*sized);
  candidates.push_back(file.substr(offset));
  return candidates;
}

std::shared_ptr<const PictureData> FrxPictures::Find(const formfile::PropertyList& properties,
                                                     std::string_view name) {
  const formfile::FormProperty* property = formfile::FindProperty(properties, name);
  if (property == nullptr || folder_.empty()) return nullptr;
  const auto known = pictures_.find(property->text.str());
  if (known != pictures_.end()) return known->second;
  std::shared_ptr<const PictureData>& picture = pictures_[property->text.str()];
  const std::optional<Reference> reference = ReferenceIn(property->text);
  if (!reference) return nullptr;
  const std::optional<std::string>& file = FileNamed(reference->file);
  if (!file) return nullptr;
  for (std::string_view bytes : Candidates(*file, reference->offset)) {
    picture = PngRenderer::Decode(bytes);
    if (picture) break;
  }
  return picture;
}

const std::optional<std::string>& FrxPictures::FileNamed(const std::string& name) {
  const auto known = files_.find(name);
  if (known != files_.end()) return known->second;
  std::optional<std::string>& file = files_[name];
  std::filesystem::path path = folder_ / name;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    // Written on Windows, a form may name its file in another case than the file has.
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
      if (formfile::SameName(entry.path().filename().string(), name)) path = entry.path();
    }
  }
  std::ifstream in(path, std::ios::binary);
  if (in) file.emplace(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return file;
}

}  // namespace tavik::preview
