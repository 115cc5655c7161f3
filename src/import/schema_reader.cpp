// The one interface every reader of a database's schema offers.
#include "import/schema_reader.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string_view>

namespace tavik::import {

namespace {

using nlohmann::ordered_json;

// Writes a document as the reference writer's dump(2) does, byte for byte, but a plain
// string (printable ASCII without quotes or backslashes, which is nearly every name and
// value of a schema) is copied as it stands; any other value is written by the reference
// writer itself, so its escapes and its replacement of broken UTF-8 stay its own. The text
// grows by doubling and every piece is copied in place: a model file is written piece by
// small piece, several hundred thousand of them for a thousand tables.
class IndentedWriter {
  // The characters a plain string holds: printable ASCII but the quote and the backslash.
  static constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = ' '; c <= '~'; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
  }();

 public:
  explicit IndentedWriter(std::string& out) : out_(out), used_(out.size()) {}
  IndentedWriter(const IndentedWriter&) = delete;
  IndentedWriter& operator=(const IndentedWriter&) = delete;
  ~IndentedWriter() { out_.resize(used_); }

  void Value(const ordered_json& value, std::size_t indent) {
    switch (value.type()) {
      case ordered_json::value_t::object:
        Object(value.get_ref<const ordered_json::object_t&>(), indent);
        return;
      case ordered_json::value_t::array:
        Array(value.get_ref<const ordered_json::array_t&>(), indent);
        return;
      case ordered_json::value_t::string:
        String(value.get_ref<const std::string&>());
        return;
      case ordered_json::value_t::number_integer:
        Number(value.get<std::int64_t>());
        return;
      case ordered_json::value_t::number_unsigned:
        Number(value.get<std::uint64_t>());
        return;
      default:
        Put(Reference(value));
        return;
    }
  }

 private:
  void Object(const ordered_json::object_t& members, std::size_t indent) {
    if (members.empty()) {
      Put("{}");
      return;
    }
    Put("{\n");
    bool first = true;
    for (const auto& [name, member] : members) {
      if (!first) Put(",\n");
      first = false;
      Indent(indent + 2);
      String(name);
      Put(": ");
      Value(member, indent + 2);
    }
    Put("\n");
    Indent(indent);
    Put("}");
  }

  void Array(const ordered_json::array_t& elements, std::size_t indent) {
    if (elements.empty()) {
      Put("[]");
      return;
    }
    Put("[\n");
    bool first = true;
    for (const ordered_json& element : elements) {
      if (!first) Put(",\n");
      first = false;
      Indent(indent + 2);
      Value(element, indent + 2);
    }
    Put("\n");
    Indent(indent);
    Put("]");
  }

  void String(const std::string& text) {
    const bool plain = std::all_of(text.begin(), text.end(),
                                   [](char c) { return kPlain[static_cast<unsigned char>(c)]; });
    if (!plain) {
      Put(Reference(ordered_json(text)));
      return;
    }
    char* at = Room(text.size() + 2);
    *at = '"';
    std::memcpy(at + 1, text.data(), text.size());
    at[text.size() + 1] = '"';
  }

  template <class Whole>
  void Number(Whole number) {
    std::array<char, 24> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    Put(std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
  }

  void Indent(std::size_t width) { std::memset(Room(width), ' ', width); }

  void Put(std::string_view piece) { std::memcpy(Room(piece.size()), piece.data(), piece.size()); }

  // The place of the next size bytes, which the caller fills.
  char* Room(std::size_t size) {
    if (used_ + size > out_.size()) out_.resize(std::max(2 * out_.size(), used_ + size + 4096));
    char* at = out_.data() + used_;
    used_ += size;
    return at;
  }

  static std::string Reference(const ordered_json& value) {
    return value.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
  }

  std::string& out_;
  std::size_t used_;  // the bytes of out_ written; the rest is room
};

}  // namespace

std::string SchemaReader::ModelText(const ordered_json& model) {
  std::string text;
  IndentedWriter(text).Value(model, 0);
  text += '\n';
  return text;
}

}  // namespace tavik::import
