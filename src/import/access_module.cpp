// The Access module: reads an Access file's catalog through libmdb, loaded only when an
// Access file is opened (libmdb brings glib with it).
#include <glib.h>  // before mdbtools.h, which would include it inside extern "C"
#include <mdbtools.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <system_error>
#include <type_traits>
#include <unordered_set>
#include <utility>

#include "import/access_catalog.h"
#include "import/access_relationship_rows.h"
#include "tavikfw/brenlo.h"

namespace {

using tavik::import::AccessCatalog;
using tavik::import::AccessRelationshipRows;

struct CloseHandle {
  void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
struct FreeTable {
  void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, CloseHandle>;
using TableDef = std::unique_ptr<MdbTableDef, FreeTable>;

template <class T>
T* At(GPtrArray* array, unsigned index) {
  return static_cast<T*>(g_ptr_array_index(array, index));
}

std::map<std::string, std::string> Properties(const MdbProperties* properties) {
  std::map<std::string, std::string> out;
  if (properties == nullptr || properties->hash == nullptr) return out;
  GHashTableIter next;
  gpointer key = nullptr;
  gpointer value = nullptr;
  g_hash_table_iter_init(&next, properties->hash);
  while (g_hash_table_iter_next(&next, &key, &value) != FALSE) {
    out.emplace(static_cast<const char*>(key), value ? static_cast<const char*>(value) : "");
  }
  return out;
}

AccessCatalog::Table ReadTable(MdbCatalogEntry* entry) {
  AccessCatalog::Table table{entry->object_name, {}, {}, {}};
  TableDef definition(mdb_read_table(entry));
  if (!definition) return table;
  mdb_read_columns(definition.get());
  mdb_read_indices(definition.get());
  for (unsigned i = 0; i < definition->num_cols; ++i) {
    const MdbColumn* column = At<MdbColumn>(definition->columns, i);
    table.columns.push_back({column->name, column->col_type, column->col_size,
                             column->is_long_auto != 0, Properties(column->props)});
  }
  constexpr unsigned char kPrimaryKeyIndex = 1;
  const auto column_position = [&](int number) -> std::optional<std::size_t> {
    if (number < 1 || static_cast<unsigned>(number) > table.columns.size()) return std::nullopt;
    return static_cast<std::size_t>(number - 1);
  };
  for (unsigned i = 0; i < definition->num_idxs; ++i) {
    const MdbIndex* index = At<MdbIndex>(definition->indices, i);
    if (index->index_type == kPrimaryKeyIndex) {
      for (unsigned k = 0; k < index->num_keys; ++k) {
        if (const auto position = column_position(index->key_col_num[k])) {
          table.primary_key.push_back(*position);
        }
      }
    } else if ((index->flags & MDB_IDX_UNIQUE) != 0 && index->num_keys == 1) {
      if (const auto position = column_position(index->key_col_num[0])) {
        table.unique_columns.push_back(*position);
      }
    }
  }
  return table;
}

// The rows of MSysRelationships, one relationship per name, its columns in their order.
void ReadRelationships(MdbHandle* handle, AccessCatalog& catalog) {
  std::unordered_set<std::string> user_tables;
  for (const auto& table : catalog.tables) user_tables.insert(table.name);
  TableDef table(
      mdb_read_table_by_name(handle, const_cast<gchar*>("MSysRelationships"), MDB_TABLE));
  if (!table) return;
  mdb_read_columns(table.get());
  static constexpr const char* kNames[] = {"szRelationship",     "icolumn",
                                           "szObject",           "szColumn",
                                           "szReferencedObject", "szReferencedColumn"};
  std::vector<std::string> buffers(std::size(kNames), std::string(MDB_BIND_SIZE, '\0'));
  for (std::size_t i = 0; i < buffers.size(); ++i) {
    if (mdb_bind_column_by_name(table.get(), const_cast<gchar*>(kNames[i]), buffers[i].data(),
                                nullptr) == -1) {
      return;
    }
  }
  mdb_rewind_table(table.get());
  std::vector<AccessRelationshipRows::Row> rows;
  while (mdb_fetch_row(table.get()) != 0) {
    rows.push_back({buffers[0].c_str(), std::atol(buffers[1].c_str()), buffers[2].c_str(),
                    buffers[3].c_str(), buffers[4].c_str(), buffers[5].c_str()});
  }
  catalog.relationships = AccessRelationshipRows::Gather(std::move(rows), user_tables);
}

std::int32_t ReadCatalog(const std::string& path, AccessCatalog& catalog, std::string& error) {
  errno = 0;
  if (std::FILE* probe = std::fopen(path.c_str(), "rb")) {
    std::fclose(probe);
  } else {
    error = "cannot read the file: " + std::generic_category().message(errno);
    return BR_LOAD_UNREADABLE;
  }
  Handle handle(mdb_open(path.c_str(), MDB_NOFLAGS));
  if (!handle) {
    error = "the Access file is damaged, or of a version that cannot be read";
    return BR_LOAD_REFUSED;
  }
  catalog.jet_version = static_cast<int>(handle->f->jet_version);
  if (mdb_read_catalog(handle.get(), MDB_TABLE) == nullptr) {
    error = "the Access file is damaged: its catalog cannot be read";
    return BR_LOAD_REFUSED;
  }
  for (unsigned i = 0; i < handle->num_catalog; ++i) {
    MdbCatalogEntry* entry = At<MdbCatalogEntry>(handle->catalog, i);
    if (entry->object_type != MDB_TABLE || mdb_is_user_table(entry) == 0) continue;
    catalog.tables.push_back(ReadTable(entry));
  }
  ReadRelationships(handle.get(), catalog);
  return BR_LOAD_OK;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t TavikReadAccessCatalog(
    const std::string& path, AccessCatalog& catalog, std::string& error) {
  try {
    return ReadCatalog(path, catalog, error);
  } catch (const std::bad_alloc&) {
    error = "there is not enough memory to read the Access file";
    return BR_LOAD_REFUSED;
  }
}

static_assert(
    std::is_same_v<decltype(TavikReadAccessCatalog), tavik::import::ReadAccessCatalogFunction>);
