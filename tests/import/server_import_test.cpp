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
#include <cstdio>
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

const Server kServerKinds[] = {{"postgresql", "postgresql", "PGPASSWORD"},
                               {"mariadb", "mariadb", "MYSQL_PWD"}};

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
  // A server that cannot start skips its own cases only; the line that says none started is
  // what ctest reads as the test skipped.
  static void SetUpTestSuite() {
    std::size_t missing = 0;
    for (const Server& server : kServerKinds) {
      auto running = std::make_unique<RunningServer>(server);
      if (!running->why_not().empty()) {
        ++missing;
        std::printf("The %s cases are skipped: %s\n", server.kind.c_str(),
                    running->why_not().c_str());
      }
      servers_.emplace(server.kind, std::move(running));
    }
    if (missing == std::size(kServerKinds)) std::printf("No database server could start.\n");
    std::fflush(stdout);
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

// What differs between the pinned file and the written one, as diff shows it; empty if nothing.
std::string Differences(const fs::path& pinned, const fs::path& written) {
  const fs::path differences = written.parent_path() / "differences";
  std::system(("diff -u '" + pinned.string() + "' '" + written.string() + "' >'" +
               differences.string() + "'")
                  .c_str());
  return ReadWholeFile(differences);
}

// The model pins what the import read (keys, defaults, lists, unique columns), the form what
// is made of it; each command's warnings are pinned too.
TEST_P(ServerImport, ModelFormAndWarningsAreThePinnedOnes) {
  for (const char* command : {"import", "generate"}) {
    const bool import = std::string(command) == "import";
    const std::string written = import ? "shop.json" : "shop.frm";
    const tavik::testing::CliResult result =
        Run(std::string(command) + (import ? " " : " --vb 4 ") + Url() + " -o " + written);
    ASSERT_EQ(result.status, 0) << result.err;
    const fs::path expected = kServers / (GetParam().kind + fs::path(written).extension().string());
    const fs::path warnings =
        kServers / (GetParam().kind + (import ? ".import" : "") + ".warnings");
    if (std::getenv("TAVIK_UPDATE_SERVER_GOLDENS") != nullptr) {
      fs::copy_file(dir_ / written, expected, fs::copy_options::overwrite_existing);
      tavik::testing::WriteWholeFile(warnings, WithoutAddress(result.err, Url()));
    }
    EXPECT_EQ(Differences(expected, dir_ / written), "");
    EXPECT_EQ(WithoutAddress(result.err, Url()), ReadWholeFile(warnings)) << command;
  }
}

// The start-up form tells how to set up the ODBC data source of the server's database.
TEST_P(ServerImport, StartFormAdvisesTheServersDataSource) {
  const tavik::testing::CliResult result = Run("project --vb 4 " + Url() + " -o project");
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string start = ReadWholeFile(dir_ / "project/MAINMENU.FRM");
  EXPECT_THAT(start, HasSubstr("MsgBox \"The ODBC data source shop\" & \" cannot be opened: \""));
  EXPECT_THAT(start, HasSubstr(GetParam().kind == "postgresql" ? "(psqlODBC)"
                                                               : "(MariaDB Connector/ODBC)"));
  EXPECT_THAT(start, HasSubstr("naming the server, its port, the database and the user."));
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

INSTANTIATE_TEST_SUITE_P(Servers, ServerImport, ::testing::ValuesIn(kServerKinds),
                         [](const auto& server) { return server.param.kind; });

}  // namespace
