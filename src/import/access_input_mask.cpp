// An Access input mask in the masked edit control's mask language.
#include "import/access_input_mask.h"

#include "import/imported_schema.h"

namespace tavik::import {
namespace {

// What each Access placeholder becomes: Access's required digit is the masked edit's
// digit (#), its optional digits the masked edit's 9, its letters the masked edit's ?.
char MaskedEditPlaceholder(char access) {
  switch (access) {
    case '0':
      return '#';
    case '9':
    case '#':
      return '9';
    case 'L':
    case '?':
      return '?';
    default:
      return access;  // A a & C < > and the separators . , : / mean the same in both
  }
}

// Characters that are placeholders in the masked edit and must be escaped to stand as
// themselves.
bool IsMaskedEditPlaceholder(char c) {
  const std::string_view kPlaceholders = "#.,:/\\&><Aa9C?";
  return kPlaceholders.find(c) != std::string_view::npos;
}

void AppendLiteral(std::string& mask, char c) {
  if (IsMaskedEditPlaceholder(c)) mask += '\\';
  mask += c;
}

}  // namespace

std::optional<AccessInputMask::Translated> AccessInputMask::Translate(
    std::string_view access_mask) {
  // The mask, then whether literals are stored, then the placeholder, separated by ';'.
  std::string_view sections[3];
  std::size_t section = 0;
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i <= access_mask.size(); ++i) {
    if (i < access_mask.size() && access_mask[i] == '"') quoted = !quoted;
    if (i < access_mask.size() && access_mask[i] == '\\' && !quoted) {
      ++i;
      continue;
    }
    if (i == access_mask.size() || (access_mask[i] == ';' && !quoted && section < 2)) {
      sections[section++] = access_mask.substr(start, i - start);
      start = i + 1;
    }
  }
  if (SameName(sections[0], "Password")) return std::nullopt;
  Translated out;
  out.prompt = sections[2].empty() ? std::string() : std::string(1, sections[2][0]);
  const std::string_view mask = sections[0];
  for (std::size_t i = 0; i < mask.size(); ++i) {
    const char c = mask[i];
    if (c == '\\' && i + 1 < mask.size()) {
      AppendLiteral(out.mask, mask[++i]);
    } else if (c == '"') {
      while (++i < mask.size() && mask[i] != '"') AppendLiteral(out.mask, mask[i]);
    } else if (c == '!') {
      out.lost = "filling from the right (!)";
    } else if (c == '-' || c == ' ' || c == '(' || c == ')') {
      out.mask += c;
    } else {
      out.mask += MaskedEditPlaceholder(c);
    }
  }
  return out;
}

}  // namespace tavik::import
