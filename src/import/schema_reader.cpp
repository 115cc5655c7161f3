// The one interface every reader of a database's schema offers.
#include "import/schema_reader.h"

namespace tavik::import {

std::string SchemaReader::ModelText(const nlohmann::ordered_json& model) {
  return model.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace tavik::import
