// Fuzzes generation from models that always load: the input chooses the entities, their
// attributes, edit styles, presentation properties, valid-value lists and relationships.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "brenlo/model_checker.h"
#include "generation_run.h"
#include "tavikfw/brenlo.h"

namespace {

using Json = nlohmann::ordered_json;

// Raw bytes seldom make a model that loads, so generation proper would be reached by few
// inputs; here every input is a model, and the bytes pick among the names the generator reads.
constexpr std::array kColumnProperties = {
    "CD_TYP", "CD_NAM", "CD_PLB", "CD_VSB", "CD_TXC", "CD_TAG", "CD_RO",  "CD_REQ",
    "CD_PTR", "CD_PMP", "CD_PLP", "CD_PHD", "CD_PBM", "CD_HLP", "CD_FSZ", "CD_FNM",
    "CD_FEH", "CD_EIN", "CD_BKC", "CD_ACC", "ES_HGT", "ES_WDT"};
constexpr std::array kEditStyleProperties = {
    "ES_VLD", "ESEVAL", "ESECOD", "ESMMSK", "ESLSRT", "ESRLFT", "ESRACC", "ESR3D",  "ESPDRW",
    "ESPDRS", "ESPDRM", "ESPCLP", "ESPBRD", "ESPAUS", "ESPAUR", "ESPALN", "ESMSPN", "ESMSEL",
    "ESMPIN", "ESMPCH", "ESMLIM", "ESMFMT", "ESMCOD", "ESLVAL", "ESLSTY", "ESLMUL", "ESLLIM",
    "ESLCOL", "ESIBRD", "ESGSTY", "ESGPIC", "ESGNDL", "ESGMIN", "ESGMAX", "ESGINT", "ESGINR",
    "ESGINL", "ESGINB", "ESGAUS", "ESEVBR", "ESESEL", "ESEPWD", "ESEPOS", "ESELIM", "ESEHID",
    "ESEHBR", "ESECAS", "ESEBRD", "ESCLFT", "ESC3D",  "ES_HGT", "ES_WDT", "ES_PTR"};
constexpr std::array kTexts = {"",
                               "X",
                               "Name",
                               "INTEGER",
                               "VARCHAR(40)",
                               "DATE",
                               "CHAR(1)",
                               "MS Sans Serif",
                               "Arial",
                               "RED",
                               "0",
                               "##/##/####",
                               "a \"quoted\" & <odd> text"};
constexpr std::array kNumbers = {0, 1, 2, 3, 4, 5, 7, 10, 11, 100, 255, -1, 32767, 65535};

class ModelMaker {
 public:
  explicit ModelMaker(FuzzedDataProvider& input) : input_(input) {}

  std::string Make() {
    Json model = {{"tavik_model", 1}};
    const int entities = input_.ConsumeIntegralInRange(1, 5);
    for (int entity = 1; entity <= entities; ++entity) model["entities"].push_back(Entity(entity));
    model["relationships"] = Json::array();
    const int relationships = input_.ConsumeIntegralInRange(0, 4);
    for (int relation = 1; relation <= relationships; ++relation) {
      model["relationships"].push_back(Relationship(relation, entities));
    }
    return model.dump();
  }

 private:
  Json Value() {
    if (input_.ConsumeBool()) return input_.PickValueInArray(kNumbers);
    if (input_.ConsumeBool()) return input_.PickValueInArray(kTexts);
    return Text(12);
  }

  // Printable ASCII: what the loader would refuse is the model loader fuzzer's concern.
  std::string Text(std::size_t longest) {
    std::string text = input_.ConsumeRandomLengthString(longest);
    for (char& c : text) c = static_cast<char>(' ' + static_cast<unsigned char>(c) % 95);
    return text;
  }

  template <std::size_t N>
  Json Group(const std::array<const char*, N>& names, int most) {
    Json group = Json::object();
    for (int count = input_.ConsumeIntegralInRange(0, most); count > 0; --count) {
      group[input_.PickValueInArray(names)] = Value();
    }
    return group;
  }

  Json Entity(int id) {
    const std::string name = "T" + std::to_string(id);
    Json entity;
    entity["properties"] = {
        {"ID", id},
        {"PHYSICAL_NAME", name},
        {"UNIQUE_PHYS_NAME", name},
        {"DISPLAY_STYLE", input_.ConsumeIntegralInRange(0, 4) == 0 ? "GRID" : "FIELDS"},
        {"VISIBLE", input_.ConsumeIntegralInRange(0, 8) != 0 ? 1 : 0}};
    entity["attributes"] = Json::array();
    const int attributes = input_.ConsumeIntegralInRange(1, 6);
    for (int index = 0; index < attributes; ++index) {
      entity["attributes"].push_back(Attribute(id * 100 + index));
    }
    return entity;
  }

  Json Attribute(int id) {
    const std::string name = "C" + std::to_string(id);
    Json attribute;
    attribute["ATTRIB_INFO"] = {{"ID", id},
                                {"PHYSICAL_NAME", name},
                                {"DISPLAY_NAME", input_.ConsumeBool() ? name : Text(20)},
                                {"BASE_NAME", name},
                                {"ROLE_NAME", name},
                                {"REL_COUNT", 0},
                                {"REQUIRED", input_.ConsumeBool() ? 1 : 0}};
    attribute["FORM_ATTRIB_INFO"] = {{"VISIBLE", input_.ConsumeIntegralInRange(0, 8) != 0 ? 1 : 0}};
    attribute["COL_PROP"] = Group(kColumnProperties, 4);
    Json style = {{"ES_TYP", input_.ConsumeIntegralInRange(-1, 11)}};
    style.update(Group(kEditStyleProperties, 6));
    attribute["CP_EST"] = style;
    if (input_.ConsumeBool()) AddValidValues(attribute, input_.ConsumeBool() ? "ES" : "COL");
    return attribute;
  }

  // A list of [display, data] pairs under a rule name, for the list, combo and option kinds.
  void AddValidValues(Json& attribute, const std::string& prefix) {
    attribute[prefix + "_VLD_RULE"] = {{"NAME", input_.ConsumeBool() ? "Flags" : Text(10)}};
    Json values = Json::array();
    for (int count = input_.ConsumeIntegralInRange(0, 6); count > 0; --count) {
      values.push_back({Text(8), Text(4)});
    }
    attribute[prefix + "_VLD_VALUE"] = values;
  }

  // Any parent and child, itself included: cycles and self-references must not hang.
  Json Relationship(int id, int entities) {
    const int parent = input_.ConsumeIntegralInRange(1, entities);
    const int child = input_.ConsumeIntegralInRange(1, entities);
    return {
        {"properties", {{"RELATION_ID", id}, {"PARENT_ENTITY", parent}, {"CHILD_ENTITY", child}}},
        {"attributes", {child * 100}}};
  }

  FuzzedDataProvider& input_;
};

}  // namespace

// The shapes include what the model check refuses (sizes out of range, relationships to missing
// entities): with the check off they reach generation, which must never crash on what loads.
extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  tavik::brenlo::ModelChecker::SetChecking(false);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string model = ModelMaker(input).Make();
  std::uint32_t host_value = 0;
  if (BR_LoadModelText(model.data(), model.size(), &host_value) != BR_LOAD_OK) __builtin_trap();
  tavik::fuzz::GenerateBothVersions(host_value);
  BR_UnloadModel(host_value);
  return 0;
}
