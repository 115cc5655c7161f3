// What the Access module reads of an Access file: its user tables, their columns with their
// properties, their primary keys, and the relationships between them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tavik::import {

struct AccessCatalog {
  struct Column {
    std::string name;
    int type = 0;  // the Jet type code
    int size = 0;  // in bytes
    bool auto_number = false;
    std::map<std::string, std::string> properties;  // Caption, Format, RowSource...
  };
  struct Table {
    std::string name;
    std::vector<Column> columns;
    std::vector<std::size_t> primary_key;  // column positions, in key order
    // Columns no two rows share a value of: each the one column of a unique index.
    std::vector<std::size_t> unique_columns;
  };
  struct Relationship {
    std::string detail;  // the table that refers
    std::string master;  // the table referred to
    // Detail column and master column, in the relationship's order.
    std::vector<std::pair<std::string, std::string>> columns;
  };

  int jet_version = 0;  // the format byte of the file's header
  std::vector<Table> tables;
  std::vector<Relationship> relationships;
};

// Jet type codes.
inline constexpr int kJetBoolean = 0x01;
inline constexpr int kJetByte = 0x02;
inline constexpr int kJetInteger = 0x03;
inline constexpr int kJetLong = 0x04;
inline constexpr int kJetCurrency = 0x05;
inline constexpr int kJetSingle = 0x06;
inline constexpr int kJetDouble = 0x07;
inline constexpr int kJetDateTime = 0x08;
inline constexpr int kJetBinary = 0x09;
inline constexpr int kJetText = 0x0A;
inline constexpr int kJetOle = 0x0B;
inline constexpr int kJetMemo = 0x0C;
inline constexpr int kJetGuid = 0x0F;
inline constexpr int kJetDecimal = 0x10;
inline constexpr int kJetComplex = 0x12;

// Reads the catalog of the Access file; a BR_LOAD_ status, and the reason in error when it is
// not BR_LOAD_OK. The file is opened read-only.
using ReadAccessCatalogFunction = std::int32_t(const std::string& path, AccessCatalog& catalog,
                                               std::string& error);
// The name the module exports its ReadAccessCatalogFunction under.
inline constexpr const char* kReadAccessCatalogSymbol = "TavikReadAccessCatalog";

}  // namespace tavik::import
