// The address of a database on a server, as the commands take it in place of a file.
#include "import/server_url.h"

#include <fmt/format.h>

#include <array>
#include <utility>

namespace tavik::import {
namespace {

constexpr std::array<std::pair<std::string_view, ServerUrl::Server>, 4> kSchemes = {{
    {"postgresql://", ServerUrl::Server::kPostgresql},
    {"postgres://", ServerUrl::Server::kPostgresql},
    {"mariadb://", ServerUrl::Server::kMariadb},
    {"mysql://", ServerUrl::Server::kMariadb},
}};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "%20" as a blank; nothing when a "%" is not followed by two hexadecimal digits.
std::optional<std::string> Decoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size() || HexValue(text[i + 1]) < 0 || HexValue(text[i + 2]) < 0) {
      return std::nullopt;
    }
    out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
    i += 2;
  }
  return out;
}

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return !text.empty();
}

}  // namespace

std::optional<ServerUrl::Server> ServerUrl::ServerOf(std::string_view text) {
  for (const auto& [scheme, server] : kSchemes) {
    if (text.size() >= scheme.size() && text.substr(0, scheme.size()) == scheme) return server;
  }
  return std::nullopt;
}

std::optional<ServerUrl> ServerUrl::Parse(std::string_view text, std::string& error) {
  const std::optional<Server> server = ServerOf(text);
  if (!server) {
    error = "the address begins with neither postgresql:// nor mariadb://";
    return std::nullopt;
  }
  ServerUrl url;
  url.server_ = *server;
  std::string_view rest = text.substr(text.find("://") + 3);
  std::string_view query;
  if (const std::size_t mark = rest.find('?'); mark != std::string_view::npos) {
    query = rest.substr(mark + 1);
    rest = rest.substr(0, mark);
  }
  const std::size_t slash = rest.find('/');
  std::string_view authority = rest.substr(0, slash);
  const std::string_view path = slash == std::string_view::npos ? "" : rest.substr(slash + 1);
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
    const std::string_view user = authority.substr(0, at);
    if (user.find(':') != std::string_view::npos) {
      error = url.server_ == Server::kPostgresql
                  ? "the address holds a password, which the command line would show to "
                    "everyone on the machine: give it by PGPASSWORD or ~/.pgpass"
                  : "the address holds a password, which the command line would show to "
                    "everyone on the machine: give it by MYSQL_PWD or an option file (~/.my.cnf)";
      return std::nullopt;
    }
    url.user_ = Decoded(user).value_or(std::string(user));
    authority = authority.substr(at + 1);
  }
  // A port follows the last colon, unless the host is an address in brackets that ends later.
  if (const std::size_t colon = authority.rfind(':');
      colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos) {
    url.port_ = authority.substr(colon + 1);
    authority = authority.substr(0, colon);
    if (!AllDigits(url.port_)) {
      error = fmt::format("the port \"{}\" is not a number", url.port_);
      return std::nullopt;
    }
  }
  if (authority.size() >= 2 && authority.front() == '[' && authority.back() == ']') {
    authority = authority.substr(1, authority.size() - 2);
  }
  url.host_ = Decoded(authority).value_or(std::string(authority));
  std::optional<std::string> database = Decoded(path);
  if (!database || database->empty() || database->find('/') != std::string::npos) {
    error = "the address names no database (it ends in /database)";
    return std::nullopt;
  }
  url.database_ = std::move(*database);
  url.schema_ = "public";
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? "" : query.substr(amp + 1);
    if (pair.starts_with("schema=") && url.server_ == Server::kPostgresql) {
      url.schema_ = Decoded(pair.substr(7)).value_or(std::string(pair.substr(7)));
    } else {
      error = fmt::format("the address asks for \"{}\", which is not understood", pair);
      return std::nullopt;
    }
  }
  return url;
}

}  // namespace tavik::import
