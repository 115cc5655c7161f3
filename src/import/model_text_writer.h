// The text of a model file, written member by member as a document's dump(2) writes it.
#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tavik::import {

// Writes objects, lists and their members straight into the text, byte for byte as the
// reference writer's dump(2) writes the same document, so an import need not build the
// document to write it. A plain string (printable ASCII without quotes or backslashes,
// which is nearly every name and value of a schema) is copied as it stands; any other is
// written by the reference writer itself, so its escapes and its replacement of broken
// UTF-8 stay its own. The text grows by doubling and every piece is copied in place.
class ModelTextWriter {
 public:
  explicit ModelTextWriter(std::string& out) : out_(out), used_(out.size()) {}
  ModelTextWriter(const ModelTextWriter&) = delete;
  ModelTextWriter& operator=(const ModelTextWriter&) = delete;
  ~ModelTextWriter() { out_.resize(used_); }

  // The name is passed over for the document itself and the elements of a list.
  void Open(std::string_view name, std::size_t /*members*/ = 0) { Start(name, '{', false); }
  void OpenList(std::string_view name, std::size_t /*elements*/ = 0) { Start(name, '[', true); }
  void Close() { End('}'); }
  void CloseList() { End(']'); }

  void Member(std::string_view name, std::string_view text) {
    Lead(name);
    String(text);
  }
  void Member(std::string_view name, const std::string& text) {
    Member(name, std::string_view(text));
  }
  void Member(std::string_view name, const char* text) { Member(name, std::string_view(text)); }
  template <class Whole>
  void Member(std::string_view name, Whole number) {
    Lead(name);
    std::array<char, 24> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    Put(std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
  }
  // A value the reference writer has written already (true, null, a fraction).
  void Written(std::string_view name, std::string_view text) {
    Lead(name);
    Put(text);
  }

 private:
  struct Level {
    bool list = false;
    bool empty = true;
  };

  void Start(std::string_view name, char open, bool list);
  void End(char close);
  void String(std::string_view text);

  // The separator, indent and name before a member or element, a few hundred thousand
  // times in a model of a thousand tables: kept inline, as are the pieces below.
  void Lead(std::string_view name) {
    Level& level = levels_.back();
    const std::size_t indent = 2 * levels_.size();
    const std::size_t lead = level.empty ? 1 : 2;
    char* at = Room(lead + indent);
    if (!level.empty) *at++ = ',';
    *at++ = '\n';
    Blanks(at, indent);
    level.empty = false;
    if (level.list) return;
    String(name);
    Put(": ");
  }
  void Indent(std::size_t width) { Blanks(Room(width), width); }
  // An indent of a usual depth is copied whole from a row of blanks into the room past the
  // text, which is always there, rather than set byte by byte.
  static void Blanks(char* at, std::size_t width) {
    static constexpr std::string_view kBlanks = "                                ";
    static_assert(kBlanks.size() <= kSlack);
    if (width <= kBlanks.size()) {
      std::memcpy(at, kBlanks.data(), kBlanks.size());
    } else {
      std::memset(at, ' ', width);
    }
  }
  void Put(std::string_view piece) { std::memcpy(Room(piece.size()), piece.data(), piece.size()); }
  // The place of the next size bytes, which the caller fills; kSlack bytes more past them
  // may be written over.
  char* Room(std::size_t size) {
    if (used_ + size + kSlack > out_.size()) Grow(size + kSlack);
    char* at = out_.data() + used_;
    used_ += size;
    return at;
  }
  void Grow(std::size_t size);

  static constexpr std::size_t kSlack = 32;

  std::string& out_;
  std::size_t used_;  // the bytes of out_ written; the rest is room
  std::vector<Level> levels_;
};

}  // namespace tavik::import
