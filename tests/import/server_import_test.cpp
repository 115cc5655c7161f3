// Tests of reading the schema of databases on PostgreSQL and MariaDB servers: each server is
// started once for the suite (test_servers.sh) in a folder of its own, as its package's user
// when the tests run as root, and the import reads as a role that owns none of the tables.
// The whole form made from each is pinned byte for byte, and so are the import's warnings.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "fakes/cli_run.h"

namespace fs = std::filesystem;

namespace {

using tavik::testing::ReadWholeFile;
using ::testing::HasSubstr;

const fs::path kServers = fs::path(TAVIK_SOURCE_DIR) / "tests/import/servers";

struct Server {
  std::string kind;    // as test_servers.sh names it
  std::string scheme;  // of its addresses
  const char* password_variable;
};

// A server started for the suite, stopped and removed with it.
class RunningServer {
 public:
  explicit RunningServer(const Server& server) : kind_(server.kind) {
    char pattern[] = "/tmp/tavik_server_XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
      why_not_ = "no temporary folder";
      return;
    }
    root_ = pattern;
    fs::permissions(root_, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    const fs::path port_file = root_ / "port";
    const std::string command = "bash '" + (kServers.parent_path() / "test_servers.sh").string() +
                                "' start " + kind_ + " '" + (root_ / "server").string() + "' '" +
                                (kServers / (kind_ + ".sql")).string() + "' >'" +
                                port_file.string() + "' 2>'" + (root_ / "start.log").string() + "'";
    const int status = std::system(command.c_str());
    port_ = ReadWholeFile(port_file);
    while (!port_.empty() && port_.back() == '\n') port_.pop_back();
    if (WEXITSTATUS(status) == 77) {
      why_not_ = kind_ + " is not installed";
    } else if (status != 0 || port_.empty()) {
      why_not_ = kind_ + " did not start: " + ReadWholeFile(root_ / "start.log");
    }
  }
  ~RunningServer() {
    if (root_.empty()) return;
    const std::string command = "bash '" + (kServers.parent_path() / "test_servers.sh").string() +
                                "' stop " + kind_ + " '" + (root_ / "server").string() + "'";
    std::system(command.c_str());
    fs::remove_all(root_);
  }
  RunningServer(const RunningServer&) = delete;
  RunningServer& operator=(const RunningServer&) = delete;

  const std::string& why_not() const { return why_not_; }
  const std::string& port() const { return port_; }

 private:
  std::string kind_;
  fs::path root_;
  std::string port_;
  std::string why_not_;
};

class ServerImport : public tavik::testing::CliTest, public ::testing::WithParamInterface<Server> {
 protected:
  static void SetUpTestSuite() {
    for (const Server& server : {Server{"postgresql", "postgresql", "PGPASSWORD"},
                                 Server{"mariadb", "mariadb", "MYSQL_PWD"}}) {
      servers_.emplace(server.kind, std::make_unique<RunningServer>(server));
    }
  }
  static void TearDownTestSuite() { servers_.clear(); }

  void SetUp() override {
    const RunningServer& server = *servers_.at(GetParam().kind);
    if (!server.why_not().empty()) GTEST_SKIP() << server.why_not();
    setenv(GetParam().password_variable, "reader", 1);
  }

  std::string Url(const std::string& port, const std::string& database = "shop") const {
    return GetParam().scheme + "://reader@127.0.0.1:" + port + "/" + database;
  }
  std::string Url() const { return Url(servers_.at(GetParam().kind)->port()); }

  static std::map<std::string, std::unique_ptr<RunningServer>> servers_;
};

std::map<std::string, std::unique_ptr<RunningServer>> ServerImport::servers_;

// The address in the warnings is the test's own; the pinned text has "ADDRESS" in its place.
std::string WithoutAddress(std::string text, const std::string& address) {
  for (std::size_t at; (at = text.find(address)) != std::string::npos;) {
    text.replace(at, address.size(), "ADDRESS");
  }
  return text;
}

TEST_P(ServerImport, FormAndWarningsAreThePinnedOnes) {
  const tavik::testing::CliResult result = Run("generate --vb 4 " + Url() + " -o shop.frm");
  ASSERT_EQ(result.status, 0) << result.err;
  const fs::path expected = kServers / (GetParam().kind + ".frm");
  if (std::getenv("TAVIK_UPDATE_SERVER_GOLDENS") != nullptr) {
    fs::copy_file(dir_ / "shop.frm", expected, fs::copy_options::overwrite_existing);
    tavik::testing::WriteWholeFile(kServers / (GetParam().kind + ".warnings"),
                                   WithoutAddress(result.err, Url()));
  }
  EXPECT_EQ(ReadWholeFile(dir_ / "shop.frm"), ReadWholeFile(expected));
  EXPECT_EQ(WithoutAddress(result.err, Url()),
            ReadWholeFile(kServers / (GetParam().kind + ".warnings")));
}

TEST_P(ServerImport, VisualBasic3IsToldOfThe16BitDriver) {
  const tavik::testing::CliResult result = Run("generate --vb 3 " + Url() + " -o shop.frm");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(result.err, HasSubstr("opens the database only through a 16-bit ODBC driver"));
}

// A port where something listens but never answers.
class SilentListener {
 public:
  SilentListener() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(socket_, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(socket_, 4);
    ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = std::to_string(ntohs(address.sin_port));
  }
  ~SilentListener() { ::close(socket_); }
  SilentListener(const SilentListener&) = delete;
  SilentListener& operator=(const SilentListener&) = delete;
  const std::string& port() const { return port_; }

 private:
  int socket_;
  std::string port_;
};

// Each way of not reaching the database is told, and exits 66, within 10 seconds.
TEST_P(ServerImport, UnreachableDatabasesAreToldQuickly) {
  const SilentListener silent;
  const std::string closed = [] {
    const SilentListener gone;
    return gone.port();
  }();
  struct Case {
    std::string address;
    const char* password;
    const char* told;
  };
  const std::string port = servers_.at(GetParam().kind)->port();
  const bool postgresql = GetParam().kind == "postgresql";
  const Case cases[] = {
      {Url(closed), "reader",
       postgresql ? "Connection refused" : "nothing answers at that address"},
      {Url(port), "wrong", postgresql ? "password authentication failed" : "Access denied"},
      {Url(port, "nowhere"), "reader", postgresql ? "does not exist" : "Access denied"},
      {Url(silent.port()), "reader", postgresql ? "timeout" : "Lost connection"},
  };
  for (const Case& c : cases) {
    setenv(GetParam().password_variable, c.password, 1);
    const auto start = std::chrono::steady_clock::now();
    const tavik::testing::CliResult result = Run("import " + c.address + " -o shop.json");
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(result.status, 66) << c.address << ": " << result.err;
    EXPECT_THAT(result.err, HasSubstr(c.address + ": cannot connect to the")) << c.address;
    EXPECT_THAT(result.err, HasSubstr(c.told)) << c.address;
    EXPECT_LT(seconds.count(), 10) << c.address;
    EXPECT_FALSE(fs::exists(dir_ / "shop.json")) << c.address;
  }
}

INSTANTIATE_TEST_SUITE_P(Servers, ServerImport,
                         ::testing::Values(Server{"postgresql", "postgresql", "PGPASSWORD"},
                                           Server{"mariadb", "mariadb", "MYSQL_PWD"}),
                         [](const auto& server) { return server.param.kind; });

}  // namespace
