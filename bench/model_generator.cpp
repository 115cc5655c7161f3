// Synthetic models for measuring generation.
#include "model_generator.h"

#include <fmt/format.h>

#include <random>

namespace tavik::bench {

namespace {

// Attribute kinds the generator mixes: plain text, required text, long text, coded values.
struct AttributeKind {
  const char* type;
  int required;
  bool coded;
};
constexpr AttributeKind kKinds[] = {
    {"INTEGER", 1, false}, {"VARCHAR(30)", 0, false},  {"CHAR(1)", 0, true},
    {"DATE", 1, false},    {"VARCHAR(255)", 0, false}, {"DECIMAL(10,2)", 0, false},
};

void AppendAttribute(std::string& out, int entity, int index, int relation, int parent,
                     std::mt19937& random) {
  const AttributeKind& kind = kKinds[random() % std::size(kKinds)];
  int id = entity * 100 + index;
  std::string name = fmt::format("E{}_COL{}", entity, index);
  bool key = relation > 0 && index == 0;
  out +=
      fmt::format(R"({{"ATTRIB_INFO": {{"ID": {}, "PHYSICAL_NAME": "{}", "DISPLAY_NAME": "{}", )"
                  R"("BASE_NAME": "{}", "ROLE_NAME": "{}", "REL_COUNT": {}{}, "REQUIRED": {}}}, )",
                  id, name, name, key ? fmt::format("E{}_COL0", parent) : name, name, key ? 1 : 0,
                  key ? fmt::format(", \"REL0_ID\": {}", relation) : "", key ? 1 : kind.required);
  out += R"("FORM_ATTRIB_INFO": {"VISIBLE": 1}, )";
  out += fmt::format(R"("COL_PROP": {{"CD_TYP": "{}", "CD_NAM": "{}", "CD_PLB": "{}"}}, )",
                     kind.type, name, name);
  if (kind.coded) {
    out += R"("CP_EST": {"ES_TYP": 4, "ES_VLD": 1, "ESECOD": 1, "ESEVAL": 1}, )";
    out += R"("ES_VLD_RULE": {"NAME": "Flag"}, "ES_VLD_VALUE": [["Yes", "Y"], ["No", "N"]]})";
  } else {
    out += R"("CP_EST": {"ES_TYP": 4}})";
  }
}

}  // namespace

std::string GenerateModel(const ModelShape& shape) {
  std::mt19937 random(shape.seed);
  std::string out = "{\"tavik_model\": 1, \"entities\": [\n";
  std::string relations;
  int relation_id = 0;
  for (int entity = 1; entity <= shape.entities; ++entity) {
    bool child = shape.star ? entity > 1 : (entity - 1) % shape.chain_length != 0;
    int parent = shape.star ? 1 : entity - 1;
    int relation = child ? ++relation_id : 0;
    if (child) {
      if (!relations.empty()) relations += ",\n";
      relations += fmt::format(
          R"({{"properties": {{"RELATION_ID": {}, "PARENT_ENTITY": {}, "CHILD_ENTITY": {}}}, )"
          R"("attributes": [{}]}})",
          relation, parent, entity, entity * 100);
    }
    out += fmt::format(
        R"({{"properties": {{"ID": {}, "PHYSICAL_NAME": "T{}", "UNIQUE_PHYS_NAME": "T{}", )"
        R"("DISPLAY_STYLE": "FIELDS", "VISIBLE": 1}}, "attributes": [)",
        entity, entity, entity);
    for (int index = 0; index < shape.attributes; ++index) {
      if (index > 0) out += ",\n";
      AppendAttribute(out, entity, index, relation, parent, random);
    }
    out += entity < shape.entities ? "]},\n" : "]}\n";
  }
  out += "],\n\"relationships\": [\n" + relations + "\n]}\n";
  return out;
}

}  // namespace tavik::bench
