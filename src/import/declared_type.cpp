// Classifying declared column types.
#include "import/declared_type.h"

#include <algorithm>

namespace tavik::import {

namespace {

bool Contains(std::string_view text, std::string_view word) {
  return text.find(word) != std::string_view::npos;
}

DeclaredType::Affinity AffinityOf(std::string_view upper) {
  using Affinity = DeclaredType::Affinity;
  if (Contains(upper, "INT")) return Affinity::kInteger;
  if (Contains(upper, "CHAR") || Contains(upper, "CLOB") || Contains(upper, "TEXT")) {
    return Affinity::kText;
  }
  if (upper.empty() || Contains(upper, "BLOB")) return Affinity::kBlob;
  if (Contains(upper, "REAL") || Contains(upper, "FLOA") || Contains(upper, "DOUB")) {
    return Affinity::kReal;
  }
  return Affinity::kNumeric;
}

}  // namespace

DeclaredType::DeclaredType(std::string_view declared) : upper_(declared) {
  std::transform(upper_.begin(), upper_.end(), upper_.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  affinity_ = AffinityOf(upper_);
}

bool DeclaredType::IsBoolean() const {
  return affinity_ == Affinity::kNumeric && upper_.starts_with("BOOL");
}

bool DeclaredType::IsPicture() const {
  if (affinity_ == Affinity::kBlob) return !upper_.empty();
  return affinity_ == Affinity::kNumeric && (upper_ == "IMAGE" || upper_ == "PICTURE");
}

std::optional<std::string> DeclaredType::DateTimeMask() const {
  if (affinity_ != Affinity::kNumeric && affinity_ != Affinity::kText) return std::nullopt;
  if (Contains(upper_, "DATETIME") || Contains(upper_, "TIMESTAMP")) {
    return "####-##-## ##:##:##";
  }
  if (Contains(upper_, "DATE")) return "####-##-##";
  if (Contains(upper_, "TIME")) return "##:##:##";
  return std::nullopt;
}

}  // namespace tavik::import
