// The one interface every reader of a database's schema offers.
#include "import/schema_reader.h"

#include <cstdint>
#include <string_view>

#include "import/model_text_writer.h"
#include "tavikfw/brenlo.h"

namespace tavik::import {

namespace {

using nlohmann::ordered_json;

// Hands every member of the document to the writer, in the document's order.
void WriteValue(std::string_view name, const ordered_json& value, ModelTextWriter& writer) {
  switch (value.type()) {
    case ordered_json::value_t::object:
      writer.Open(name);
      for (const auto& [member, inner] : value.get_ref<const ordered_json::object_t&>()) {
        WriteValue(member, inner, writer);
      }
      writer.Close();
      return;
    case ordered_json::value_t::array:
      writer.OpenList(name);
      for (const ordered_json& element : value.get_ref<const ordered_json::array_t&>()) {
        WriteValue({}, element, writer);
      }
      writer.CloseList();
      return;
    case ordered_json::value_t::string:
      writer.Member(name, value.get_ref<const std::string&>());
      return;
    case ordered_json::value_t::number_integer:
      writer.Member(name, value.get<std::int64_t>());
      return;
    case ordered_json::value_t::number_unsigned:
      writer.Member(name, value.get<std::uint64_t>());
      return;
    default:
      writer.Written(name, value.dump(-1, ' ', false, ordered_json::error_handler_t::replace));
      return;
  }
}

}  // namespace

SchemaReader::Outcome SchemaReader::Imported(ImportedSchema& schema) {
  Outcome outcome{BR_LOAD_OK, {}, {}, schema.TakeWarnings()};
  outcome.schema = std::move(schema);
  return outcome;
}

SchemaReader::Outcome SchemaReader::WithDocument(Outcome outcome) {
  if (outcome.schema) {
    outcome.model = outcome.schema->Document();
    outcome.schema.reset();
  }
  return outcome;
}

std::string SchemaReader::ModelText(const ordered_json& model) {
  std::string text;
  {
    ModelTextWriter writer(text);
    WriteValue({}, model, writer);
  }
  text += '\n';
  return text;
}

}  // namespace tavik::import
