// The address of a database on a server, as the commands take it in place of a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavik::import {

// postgresql://user@host:port/database?schema=name and mariadb://user@host:port/database.
// The password never stands in the address: the servers' client libraries take it from
// PGPASSWORD or ~/.pgpass, and from MYSQL_PWD or the option files.
class ServerUrl {
 public:
  enum class Server : std::uint8_t { kPostgresql, kMariadb };

  // The server an address names by its scheme; nothing for a file's path.
  static std::optional<Server> ServerOf(std::string_view text);
  // The address taken apart; nothing, and why in error, when it is not one.
  static std::optional<ServerUrl> Parse(std::string_view text, std::string& error);

  Server server() const { return server_; }
  const std::string& user() const { return user_; }  // empty: the client library's own
  const std::string& host() const { return host_; }  // empty: the local socket
  const std::string& port() const { return port_; }  // empty: the server's usual port
  const std::string& database() const { return database_; }
  const std::string& schema() const { return schema_; }  // PostgreSQL's; "public" unless named

 private:
  Server server_ = Server::kPostgresql;
  std::string user_;
  std::string host_;
  std::string port_;
  std::string database_;
  std::string schema_;
};

}  // namespace tavik::import
