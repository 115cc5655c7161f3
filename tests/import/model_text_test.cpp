// Tests that a schema's model text is what the reference JSON writer's dump(2) gives, byte for
// byte, for the values the fast path copies and the ones it hands to the reference writer.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "import/schema_reader.h"

namespace {

using nlohmann::ordered_json;

TEST(ModelTextTest, IsTheReferenceWritersIndentedText) {
  const char* const documents[] = {
      R"({})",
      R"([])",
      R"({"a": {}, "b": [], "c": [[]], "d": [{}, {"e": [1, -2, 3]}]})",
      R"({"plain": "Cust Name", "quote": "say \"hi\"", "slash": "a\\b / c", "tab": "a\tb\n"})",
      R"({"control": "\u0001\u001f\u007f", "accented": "Café Straße", "empty": ""})",
      R"({"numbers": [0, 18446744073709551615, -9223372036854775808, 1.5, -0.25, 1e300]})",
      R"({"other": [true, false, null], "nested": {"x": {"y": {"z": "deep"}}}})",
      R"([[[[[[[[[[[[[[[[[[[["indented past a row of blanks", {"k": 1}]]]]]]]]]]]]]]]]]]]])",
  };
  for (const char* document : documents) {
    const ordered_json model = ordered_json::parse(document);
    EXPECT_EQ(tavik::import::SchemaReader::ModelText(model),
              model.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n")
        << document;
  }
  // Broken UTF-8 is replaced as the reference writer replaces it.
  ordered_json broken = ordered_json::object();
  broken["name"] = std::string("ab\xC3\x28z\xFF");
  broken[std::string("k\xE2\x82")] = 1;
  EXPECT_EQ(tavik::import::SchemaReader::ModelText(broken),
            broken.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n");
}

}  // namespace
