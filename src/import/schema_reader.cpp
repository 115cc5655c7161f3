// The one interface every reader of a database's schema offers.
#include "import/schema_reader.h"

#include <fmt/format.h>

#include <algorithm>

namespace tavik::import {

namespace {

using nlohmann::ordered_json;

// Writes a document as the reference writer's dump(2) does, byte for byte, but a plain
// string (printable ASCII without quotes or backslashes, which is nearly every name and
// value of a schema) is copied as it stands; any other value is written by the reference
// writer itself, so its escapes and its replacement of broken UTF-8 stay its own.
class IndentedWriter {
 public:
  explicit IndentedWriter(std::string& out) : out_(out) {}

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
        fmt::format_to(std::back_inserter(out_), "{}", value.get<std::int64_t>());
        return;
      case ordered_json::value_t::number_unsigned:
        fmt::format_to(std::back_inserter(out_), "{}", value.get<std::uint64_t>());
        return;
      default:
        out_ += Reference(value);
        return;
    }
  }

 private:
  void Object(const ordered_json::object_t& members, std::size_t indent) {
    if (members.empty()) {
      out_ += "{}";
      return;
    }
    out_ += "{\n";
    bool first = true;
    for (const auto& [name, member] : members) {
      if (!first) out_ += ",\n";
      first = false;
      out_.append(indent + 2, ' ');
      String(name);
      out_ += ": ";
      Value(member, indent + 2);
    }
    out_ += '\n';
    out_.append(indent, ' ');
    out_ += '}';
  }

  void Array(const ordered_json::array_t& elements, std::size_t indent) {
    if (elements.empty()) {
      out_ += "[]";
      return;
    }
    out_ += "[\n";
    bool first = true;
    for (const ordered_json& element : elements) {
      if (!first) out_ += ",\n";
      first = false;
      out_.append(indent + 2, ' ');
      Value(element, indent + 2);
    }
    out_ += '\n';
    out_.append(indent, ' ');
    out_ += ']';
  }

  void String(const std::string& text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
      return c >= ' ' && c <= '~' && c != '"' && c != '\\';
    });
    if (!plain) {
      out_ += Reference(ordered_json(text));
      return;
    }
    out_ += '"';
    out_ += text;
    out_ += '"';
  }

  static std::string Reference(const ordered_json& value) {
    return value.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
  }

  std::string& out_;
};

}  // namespace

std::string SchemaReader::ModelText(const ordered_json& model) {
  std::string text;
  IndentedWriter(text).Value(model, 0);
  text += '\n';
  return text;
}

}  // namespace tavik::import
