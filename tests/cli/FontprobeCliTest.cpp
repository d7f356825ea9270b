// Runs the fontprobe command against the rig's private CUPS daemon. The main
// rig's queues: FP_Alpha (default), FP_Beta (stopped: "Paused for maintenance"),
// FP_Gamma (refuses jobs), FP_Failing (its backend fails), Drucker_Büro. A
// second rig has one queue, FP_Alone, and no default. A third has IPP printers
// of CUPS's own ippeveprinter (see tests/CMakeLists.txt) and FP_Through, a raw
// queue whose device is one that refuses our pages.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <thread>

#include "printing/TestPage.h"

namespace fontprobe {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The folder of the rig whose state file the environment variable names.
fs::path RigFolder(const char* variable) {
  const char* state = std::getenv(variable);
  if (!state) throw std::runtime_error(std::string(variable) + " is not set");
  std::string folder = ReadAll(state);
  while (!folder.empty() && folder.back() == '\n') folder.pop_back();
  return folder;
}

struct Result {
  int status = -1;
  std::string output;  // standard output and error together
  double seconds = 0;
};

// Runs `fontprobe ARGS` (ARGS as the shell reads them) against `server`.
Result Fontprobe(const std::string& args, const std::string& server) {
  const auto start = std::chrono::steady_clock::now();
  const std::string command =
      "CUPS_SERVER='" + server + "' '" + std::getenv("FONTPROBE_CLI") + "' " + args + " 2>&1";
  Result result;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.output.append(buffer, n);
  }
  const int wait = pclose(pipe);
  result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result;
}

void ExpectOutcome(const Result& result, int status, const std::string& says) {
  EXPECT_EQ(result.status, status) << result.output;
  EXPECT_NE(result.output.find(says), std::string::npos) << result.output;
}

// A run of the command with the status and the words it must end with.
struct Expected {
  std::string args;
  int status;
  std::string says;
};

// Runs each case against `server`, checks its outcome, and gives the results.
std::vector<Result> RunEach(const std::vector<Expected>& cases, const std::string& server) {
  std::vector<Result> results;
  for (const Expected& c : cases) {
    SCOPED_TRACE(c.args);
    results.push_back(Fontprobe(c.args, server));
    ExpectOutcome(results.back(), c.status, c.says);
  }
  return results;
}

struct Captured {
  std::string queue;
  std::string title;
  std::string data;
};

std::vector<Captured> CapturedJobs(const fs::path& jobs) {
  std::vector<Captured> captured;
  for (const auto& entry : fs::directory_iterator(jobs)) {
    if (entry.path().extension() != ".data") continue;
    fs::path base = entry.path();
    captured.push_back({ReadAll(fs::path(base).replace_extension(".queue")),
                        ReadAll(fs::path(base).replace_extension(".title")), ReadAll(base)});
  }
  return captured;
}

enum class Server { Main, NoDefault, Nowhere };

struct Case {
  const char* args;
  Server server;
  int status;
  const char* says;  // a part of what it prints
  const char* printedOn = nullptr;
  PrinterFamily page = PrinterFamily::Pcl;
};

const Case kCases[] = {
    {"print pcl", Server::Main, 0, "completed", "FP_Alpha", PrinterFamily::Pcl},
    {"print epson --printer Drucker_B\xc3\xbcro", Server::Main, 0, "completed",
     "Drucker_B\xc3\xbcro", PrinterFamily::EpsonIbm},
    {"print pcl --printer FP_Alpha --no-wait", Server::Main, 0, "went to FP_Alpha", "FP_Alpha"},
    {"print pcl --printer fp_alpha", Server::Main, 2, "did you mean FP_Alpha?"},
    {"print pcl --printer 'FP_Alpha '", Server::Main, 2, "did you mean FP_Alpha?"},
    {"print pcl --printer Nowhere", Server::Main, 2, "no printer is named \"Nowhere\""},
    {"print pcl", Server::NoDefault, 2, "no default printer"},
    {"print pcl --printer FP_Gamma", Server::Main, 3, "\"FP_Gamma\" is not accepting jobs"},
    {"print pcl", Server::Nowhere, 3, "cannot reach the print server /nonexistent/cups.sock"},
    {"print epson --printer FP_Failing", Server::Main, 4, "was aborted without printing"},
    {"print pcl --printer FP_Beta --timeout 1.5", Server::Main, 5,
     "printer FP_Beta is stopped: Paused for maintenance"},
    {"list", Server::Main, 0, "FP_Alpha\tidle\tdefault\nFP_Beta\tstopped\t-\n"},
    {"print", Server::Main, 1, "print needs a page"},
    {"print ps", Server::Main, 1, "unknown page 'ps'"},
    {"print pcl --timeout", Server::Main, 1, "--timeout needs a value"},
    {"print pcl --timeout soon", Server::Main, 1, "--timeout needs a number"},
    {"print pcl --timeout 0", Server::Main, 1, "--timeout needs a number"},
    {"print pcl --printer", Server::Main, 1, "--printer needs a value"},
    {"print pcl FP_Alpha", Server::Main, 1, "unexpected 'FP_Alpha'"},
    {"page", Server::Main, 1, "page needs one page name"},
    {"list FP_Alpha", Server::Main, 1, "unexpected 'FP_Alpha'"},
    {"list --timeout -1", Server::Main, 1, "--timeout needs a number"},
    {"check --printer FP_Alpha --timeout", Server::Main, 1, "--timeout needs a value"},
    {"frob", Server::Main, 1, "unknown command 'frob'"},
};

TEST(FontprobeCli, EachCaseEndsWithItsStatusAndPrintsOnlyWhereItShould) {
  const fs::path main = RigFolder("FONTPROBE_CLI_RIG");
  const fs::path noDefault = RigFolder("FONTPROBE_CLI_RIG_NO_DEFAULT");
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.args);
    for (const auto& entry : fs::directory_iterator(main / "jobs")) fs::remove(entry.path());
    const std::string server = c.server == Server::Main        ? (main / "cups.sock").string()
                               : c.server == Server::NoDefault ? (noDefault / "cups.sock").string()
                                                               : "/nonexistent/cups.sock";
    const Result result = Fontprobe(c.args, server);
    ExpectOutcome(result, c.status, c.says);
    if (c.server == Server::Nowhere) {
      EXPECT_LT(result.seconds, 2.0);
    }

    // A job that was accepted may still be on its way to the capture queue.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(c.printedOn ? 5 : 0);
    auto jobs = CapturedJobs(main / "jobs");
    while (jobs.empty() && std::chrono::steady_clock::now() < deadline)
      jobs = CapturedJobs(main / "jobs");
    if (!c.printedOn) {
      EXPECT_TRUE(jobs.empty());
      continue;
    }
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].queue, c.printedOn);
    EXPECT_EQ(jobs[0].title, "Command Print");
    EXPECT_EQ(jobs[0].data, ComposeTestPage(c.page));
  }
}

// Runs a CUPS admin command against a rig (the main one unless named); false when it failed.
bool Admin(const std::string& command, const char* rig = "FONTPROBE_CLI_RIG") {
  const std::string server = (RigFolder(rig) / "cups.sock").string();
  return std::system(("export CUPS_SERVER='" + server + "'; " + command).c_str()) == 0;
}

// A queue's reason and a backend's error that hold a window title, a screen
// clear and a colour reach the terminal as visible escapes, still readable.
TEST(FontprobeCli, OutsideWordsReachTheTerminalWithoutAControlByte) {
  const std::string server = (RigFolder("FONTPROBE_CLI_RIG") / "cups.sock").string();
  ASSERT_TRUE(
      Admin("lpadmin -p FP_Evil -E -v capture:/rig && cupsdisable -r "
            "\"$(printf 'evil \\033]0;PWNED\\007\\033[2J\\033[31mred')\" FP_Evil"));
  ASSERT_TRUE(
      Admin("lpadmin -p FP_EvilFailing -E -v capture:/fail-with-escapes "
            "-o printer-error-policy=abort-job"));
  const std::vector<Result> results = RunEach(
      {
          {"print pcl --printer FP_Evil --timeout 1", 5,
           "evil \\x1b]0;PWNED\\x07\\x1b[2J\\x1b[31mred"},
          {"print pcl --printer FP_EvilFailing", 4,
           "jammed \\x1b]0;PWNED\\x07\\x1b[2J\\x1b[31mred"},
      },
      server);
  for (const Result& result : results) {
    EXPECT_EQ(result.output.find_first_of("\x1b\x07"), std::string::npos) << result.output;
  }
  EXPECT_TRUE(Admin("cancel -a FP_Evil; lpadmin -x FP_Evil && lpadmin -x FP_EvilFailing"));
}

TEST(FontprobeCli, PageWritesTheBytesThatPrintSends) {
  const std::string server = (RigFolder("FONTPROBE_CLI_RIG") / "cups.sock").string();
  for (const auto& [name, family] :
       {std::pair{"epson", PrinterFamily::EpsonIbm}, std::pair{"pcl", PrinterFamily::Pcl}}) {
    const Result result = Fontprobe(std::string("page ") + name, server);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, ComposeTestPage(family));
  }
}

// Printing to printers' own addresses, with no queue, and through a queue to
// an IPP printer that refuses the page.
TEST(FontprobeCli, PrintsToAPrintersOwnAddressAndTellsWhatItSaid) {
  const fs::path rig = RigFolder("FONTPROBE_CLI_IPP_RIG");
  const std::string server = (rig / "cups.sock").string();
  const auto uri = [&](const char* printer) {
    std::string address = ReadAll(rig / "ipp" / (std::string(printer) + ".uri"));
    return address.substr(0, address.find('\n'));
  };
  RunEach(
      {
          {"print pcl --uri " + uri("pcl_printer"), 0, "as application/vnd.hp-PCL"},
          {"print epson --uri " + uri("pcl_printer"), 3,
           "the page was not taken: the printer said "
           "client-error-attributes-or-values-not-supported: Unsupported document-format "
           "mimeMediaType value; job 2 was cancelled, so no part of the page prints."},
          // The refused job was cancelled: the printer takes the next one.
          {"print pcl --uri " + uri("pcl_printer"), 0, "completed"},
          {"print pcl --uri " + uri("pdf_printer"), 3,
           "takes only PDF and raster: a raw test page cannot be printed there"},
          {"check --uri " + uri("pdf_printer"), 3, "formats:\tapplication/pdf, image/pwg-raster"},
          {"check --uri " + uri("pcl_printer"), 0, "takes raw PCL"},
          {"check --printer FP_Through", 0, "device:\tipp://localhost:"},
          // A raw queue is only as raw as the printer behind it.
          {"check --printer FP_ToPdf", 3,
           "FP_ToPdf takes raw pages, but its printer takes no application/octet-stream"},
          {"print pcl --uri " + uri("jamming"), 4,
           "aborted without printing (aborted-by-system; the rig's IPP printer jammed)"},
          {"print pcl --printer FP_Through", 4,
           "ended without printing: CUPS marked it completed, but said: Unable to add document to "
           "print job."},
          {"print pcl --uri " + uri("pcl_printer") + " --printer FP_Through", 1,
           "cannot go together"},
          {"print pcl --uri http://localhost/", 1, "cannot print to a http:// address"},
          {"print pcl --uri socket://localhost/queue", 1, "a socket:// address has no path"},
          {"print pcl --uri ipp://nowhere.invalid/ipp/print", 3, "cannot reach the printer"},
      },
      server);
  // Both accepted PCL pages arrived unchanged.
  for (const char* job : {"pcl_printer.0", "pcl_printer.1"}) {
    EXPECT_EQ(ReadAll(rig / "ipp-jobs" / job), ComposeTestPage(PrinterFamily::Pcl)) << job;
  }
  EXPECT_FALSE(fs::exists(rig / "ipp-jobs" / "pcl_printer.2"));
}

// A listening socket of the test's own on loopback, and its port.
struct Listener {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  int port = 0;
  Listener() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    listen(fd, 1);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
  }
  ~Listener() { close(fd); }
  // What one connection sends until it closes; nothing if none comes in 5 s.
  std::string ReceiveOne() const {
    pollfd waiting{fd, POLLIN, 0};
    if (poll(&waiting, 1, 5000) != 1) return "";
    const int connection = accept(fd, nullptr, nullptr);
    std::string received;
    char buffer[4096];
    for (ssize_t n; (n = read(connection, buffer, sizeof buffer)) > 0;) received.append(buffer, n);
    close(connection);
    return received;
  }
};

TEST(FontprobeCli, WritesTheWholePageToARawPort) {
  const std::string server = (RigFolder("FONTPROBE_CLI_IPP_RIG") / "cups.sock").string();
  std::string received;
  int closedPort = 0;
  {
    Listener listener;
    std::thread receiver([&] { received = listener.ReceiveOne(); });
    const Result result =
        Fontprobe("print epson --uri socket://127.0.0.1:" + std::to_string(listener.port), server);
    receiver.join();
    ExpectOutcome(result, 0, "delivered to the device");
    EXPECT_EQ(received, ComposeTestPage(PrinterFamily::EpsonIbm));
    closedPort = listener.port;
  }
  // The same port once nothing listens there: refused, at once.
  const Result result =
      Fontprobe("print pcl --uri socket://127.0.0.1:" + std::to_string(closedPort), server);
  ExpectOutcome(result, 3, "Connection refused");
  EXPECT_LT(result.seconds, 2.0);
}

// A program started in the background, as a person starts one in a terminal.
struct Running {
  pid_t pid = -1;
  int output = -1;  // standard output and error together
};

Running Spawn(const std::vector<std::string>& argv) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) throw std::runtime_error("no pipe");
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeEnds[1], STDOUT_FILENO);
    dup2(pipeEnds[1], STDERR_FILENO);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  close(pipeEnds[1]);
  return {pid, pipeEnds[0]};
}

// `fontprobe ARGS` against `server`, its own process (the shell gives way to it).
Running Start(const std::string& args, const std::string& server) {
  return Spawn(
      {"/bin/sh", "-c",
       "exec env CUPS_SERVER='" + server + "' '" + std::getenv("FONTPROBE_CLI") + "' " + args});
}

// Waits for the command to end: its status, output and the time it took from now.
Result Finish(const Running& running) {
  const auto start = std::chrono::steady_clock::now();
  Result result;
  char buffer[4096];
  for (ssize_t n; (n = read(running.output, buffer, sizeof buffer)) > 0;) {
    result.output.append(buffer, n);
  }
  close(running.output);
  int wait = 0;
  waitpid(running.pid, &wait, 0);
  result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result;
}

// The misbehaving printers of peers.py, each on a loopback port of its own,
// for as long as the object lives.
class Peers {
 public:
  Peers() : running_(Launch()) {}
  ~Peers() {
    kill(running_.pid, SIGTERM);
    Finish(running_);
  }
  std::string Uri(const std::string& kind, const std::string& scheme = "ipp") const {
    return scheme + "://127.0.0.1:" + std::to_string(ports_.at(kind)) +
           (scheme == "socket" ? "" : "/ipp/print");
  }

 private:
  // Starts peers.py and reads its "KIND PORT" lines.
  Running Launch() {
    const Running running = Spawn({"/usr/bin/python3", std::getenv("FONTPROBE_PEERS")});
    FILE* lines = fdopen(dup(running.output), "r");
    char kind[32];
    int port = 0;
    bool ready = false;
    while (!ready && std::fscanf(lines, "%31s %d", kind, &port) == 2) {
      ready = std::string(kind) == "ready";
      ports_[kind] = port;
    }
    std::fclose(lines);
    if (!ready) throw std::runtime_error("peers.py did not start");
    return running;
  }

  std::map<std::string, int> ports_;
  Running running_;
};

// A run against a misbehaving printer, with its timeout.
struct Misbehaving {
  std::string args;
  double seconds;  // its --timeout
  int status;
  std::string says;
};

// What no failure may say: an errno text from a call that set none.
void ExpectNoEmptyErrno(const Result& result) {
  EXPECT_EQ(result.output.find("Success"), std::string::npos) << result.output;
}

// A printer that never answers, answers what is not IPP, or forgets or
// sits on a job ends each command within its time and one second more, in
// words that say what really happened.
TEST(FontprobeCli, MisbehavingPrintersNeverHoldItPastItsTimeNorMakeItLie) {
  const Peers peers;
  const std::string server = (RigFolder("FONTPROBE_CLI_IPP_RIG") / "cups.sock").string();
  ASSERT_TRUE(
      Admin("lpadmin -p FP_ToSilent -E -v " + peers.Uri("silent"), "FONTPROBE_CLI_IPP_RIG"));
  const Misbehaving cases[] = {
      {"check --uri " + peers.Uri("silent"), 2, 3, "no answer from the printer within 2 s."},
      {"print pcl --uri " + peers.Uri("silent"), 2, 3, "no answer from the printer within 2 s."},
      {"check --uri " + peers.Uri("silent", "ipps"), 2, 3, "no answer from the printer at ipps://"},
      {"check --uri " + peers.Uri("babbling"), 2, 3,
       "the printer answered with text/html, not IPP."},
      {"check --uri " + peers.Uri("babbling", "ipps"), 2, 3, "TLS could not be set up with"},
      {"print pcl --uri " + peers.Uri("garbage"), 2, 3, "within 2 s."},
      {"print pcl --uri " + peers.Uri("forgetful"), 2, 8,
       "the page was delivered as job 1, but " + peers.Uri("forgetful") +
           " no longer knows the job: whether it printed is unknown"},
      {"print pcl --no-wait --uri " + peers.Uri("stalling"), 2, 3,
       "the page was not taken: no answer from the printer within 2 s; job 1 was cancelled"},
      {"print pcl --no-wait --uri " + peers.Uri("deaf"), 2, 3,
       "the page was not taken: no answer from the printer within 2 s; job 1 could not be "
       "cancelled: cancel it on the printer's panel or web page."},
      {"check --printer FP_ToSilent", 2, 3,
       "FP_ToSilent takes raw pages, but its printer could not be asked whether it does: " +
           peers.Uri("silent") +
           ": the printer did not tell its attributes: no answer from the printer within 2 s."},
  };
  for (const Misbehaving& c : cases) {
    SCOPED_TRACE(c.args);
    char timeout[32];
    std::snprintf(timeout, sizeof timeout, " --timeout %g", c.seconds);
    const Result result = Fontprobe(c.args + timeout, server);
    ExpectOutcome(result, c.status, c.says);
    ExpectNoEmptyErrno(result);
    EXPECT_LT(result.seconds, c.seconds + 1);
  }
  EXPECT_TRUE(Admin("lpadmin -x FP_ToSilent", "FONTPROBE_CLI_IPP_RIG"));
}

// Ctrl-C in the middle of any wait ends the command within half a second,
// saying what it left behind.
TEST(FontprobeCli, CtrlCEndsAnyWaitAtOnceAndTellsWhatItLeft) {
  const Peers peers;
  const std::string server = (RigFolder("FONTPROBE_CLI_RIG") / "cups.sock").string();
  const Expected cases[] = {
      {"check --uri " + peers.Uri("silent"), 130, "fontprobe: stopped.\n"},
      {"check --uri " + peers.Uri("silent", "ipps"), 130, "fontprobe: stopped.\n"},
      {"print pcl --uri " + peers.Uri("silent"), 130, "fontprobe: stopped; nothing was sent.\n"},
      {"print pcl --uri " + peers.Uri("stalling"), 130,
       "fontprobe: stopped; job 1 was cancelled, so no part of the page prints.\n"},
      {"print pcl --uri " + peers.Uri("deaf"), 130,
       "fontprobe: stopped; job 1 could not be cancelled: cancel it on the printer's panel or "
       "web page.\n"},
      {"print pcl --printer FP_Beta", 130, " stays queued on FP_Beta; cancel it with: cancel "},
      {"fonts --language pcl --uri " + peers.Uri("silent", "socket"), 130, "fontprobe: stopped.\n"},
  };
  for (const Expected& c : cases) {
    SCOPED_TRACE(c.args);
    const Running running = Start(c.args + " --timeout 30", server);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    kill(running.pid, SIGINT);
    const Result result = Finish(running);
    ExpectOutcome(result, c.status, c.says);
    EXPECT_LT(result.seconds, 0.5);
  }
  EXPECT_TRUE(Admin("cancel -a FP_Beta"));
}

// The rig's print server stopped (as by SIGSTOP) for as long as the object lives.
class Frozen {
 public:
  explicit Frozen(const fs::path& rig) : pid_(std::stoi(ReadAll(rig / "cupsd.pid"))) {
    kill(pid_, SIGSTOP);
  }
  ~Frozen() { kill(pid_, SIGCONT); }

 private:
  pid_t pid_;
};

TEST(FontprobeCli, AFrozenPrintServerEndsEachCommandInTimeThenWorksAgain) {
  const fs::path rig = RigFolder("FONTPROBE_CLI_RIG");
  const std::string server = (rig / "cups.sock").string();
  const std::string noAnswer = "no answer from the print server " + server + " within 2 s.";
  {
    const Frozen frozen(rig);
    for (const Result& result : RunEach(
             {
                 {"list --timeout 2", 3, "could not list the printers: " + noAnswer},
                 {"print pcl --timeout 2", 3, "could not tell the default printer: " + noAnswer},
                 {"print pcl --printer FP_Alpha --timeout 2", 3, noAnswer},
                 {"check --printer FP_Alpha --timeout 2", 3, noAnswer},
             },
             server)) {
      EXPECT_LT(result.seconds, 3.0);
    }
  }
  RunEach({{"list", 0, "FP_Alpha\tidle\tdefault\n"}}, server);
  EXPECT_TRUE(CapturedJobs(rig / "jobs").empty());
}

// A PostScript printer's raw port on loopback, Ghostscript behind it
// (ps_printer.py), for as long as the object lives.
class PostScriptPrinter {
 public:
  explicit PostScriptPrinter(bool ocrB) {
    std::vector<std::string> argv = {"/usr/bin/python3", std::getenv("FONTPROBE_PS_PRINTER")};
    if (ocrB) argv.push_back("--ocr-b");
    running_ = Spawn(argv);
    FILE* lines = fdopen(dup(running_.output), "r");
    if (std::fscanf(lines, "%d", &port_) != 1) port_ = 0;
    std::fclose(lines);
    if (!port_) throw std::runtime_error("ps_printer.py did not start");
  }
  ~PostScriptPrinter() {
    kill(running_.pid, SIGTERM);
    Finish(running_);
  }
  std::string Uri() const { return "socket://127.0.0.1:" + std::to_string(port_); }

 private:
  Running running_;
  int port_ = 0;
};

// A queue of the IPP rig whose device is `device`, with `deviceId` as its
// IEEE 1284 device ID (from a PPD, as a driver's queue has it), or none.
bool AddQueue(const std::string& name, const std::string& device, const std::string& deviceId) {
  std::string ppd;
  if (!deviceId.empty()) {
    ppd = (fs::temp_directory_path() / (name + ".ppd")).string();
    std::ofstream(ppd) << "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
                          "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
                          "*PCFileName: \"RIG.PPD\"\n*Manufacturer: \"Rig\"\n*Product: \"(Rig)\"\n"
                          "*ModelName: \"Rig\"\n*ShortNickName: \"Rig\"\n*NickName: \"Rig\"\n"
                          "*1284DeviceID: \""
                       << deviceId
                       << "\"\n*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n"
                          "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
                          "*CloseUI: *PageSize\n";
  }
  return Admin("lpadmin -p " + name + " -E -v '" + device + "'" +
                   (ppd.empty() ? "" : " -P " + ppd) + " 2>/dev/null",
               "FONTPROBE_CLI_IPP_RIG");
}

// Whether anyone connected to the listener.
bool Connected(const Listener& listener) {
  pollfd waiting{listener.fd, POLLIN, 0};
  return poll(&waiting, 1, 0) == 1;
}

// Asked in PostScript, Debian's Ghostscript lists its fonts, OCR-B among them
// only where a Fontmap makes fonts-ocr-b's resident; asked through a queue, the
// language comes from the queue's device ID, and where none is known nothing
// at all is sent.
TEST(FontprobeCli, AsksGhostscriptForItsFontsDirectlyAndThroughAQueue) {
  const PostScriptPrinter withOcrB(true), without(false);
  const Listener unknown;
  const fs::path rig = RigFolder("FONTPROBE_CLI_IPP_RIG");
  const std::string unknownUri = "socket://127.0.0.1:" + std::to_string(unknown.port);
  ASSERT_TRUE(AddQueue("FP_PostScript", withOcrB.Uri(), "MFG:Rig;MDL:PS;CMD:POSTSCRIPT,PJL;"));
  ASSERT_TRUE(AddQueue("FP_NoOcrB", without.Uri(), "MFG:Rig;CMD:PS3;"));
  ASSERT_TRUE(AddQueue("FP_Unknown", unknownUri, ""));
  ASSERT_TRUE(AddQueue("FP_DotMatrix", unknownUri, "MFG:OKI;CMD:EPSONFX,IBMPPR;"));
  RunEach(
      {
          {"fonts --uri " + withOcrB.Uri() + " --language postscript", 0,
           "language:\tPostScript (from --language)\nfonts:\t"},
          {"fonts --uri " + withOcrB.Uri() + " --language postscript", 0, "OCR-B:\tOCRB\n"},
          {"fonts --uri " + without.Uri() + " --language PostScript", 6,
           " resident fonts of " + without.Uri() + " is OCR-B."},
          {"fonts --uri " + without.Uri() + " --language postscript --all", 6,
           "font:\tNimbusMonoPS-Regular\t-\n"},
          {"fonts --uri " + withOcrB.Uri() + " --language postscript --json", 0,
           "\"language\":\"postscript\",\"language_from\":\"--language\",\"listed\":true,"
           "\"sent\":true,\"ocr_b\":true,\"ocr_b_fonts\":[{\"name\":\"OCRB\"}]"},
          {"fonts --printer FP_PostScript", 0, "PostScript (from its device ID)"},
          {"fonts --printer FP_NoOcrB --json", 6, "\"device_id\":\"MFG:Rig;CMD:PS3;\""},
          {"fonts --printer FP_Unknown", 10,
           "nothing was sent to FP_Unknown: the printer's language is not known: it gave no "
           "device ID. Name its language with --language postscript or --language pcl"},
          {"fonts --printer FP_DotMatrix", 10,
           "the printer's device ID names no PostScript or PCL (its command set: EPSONFX, "
           "IBMPPR)"},
          {"fonts --printer FP_ToPdf", 10,
           "FP_ToPdf cannot be asked for its fonts: its connection (ipp://) carries no answer "
           "back from the printer's own language (its device is ipp://"},
          {"fonts --printer FP_ToPdf", 10,
           "Print the test page instead (fontprobe print pcl --printer FP_ToPdf), or give --uri "
           "socket://HOST"},
          {"fonts --printer Nowhere", 2, "no printer is named \"Nowhere\""},
      },
      (rig / "cups.sock").string());
  EXPECT_FALSE(Connected(unknown));
  EXPECT_TRUE(
      Admin("lpadmin -x FP_PostScript; lpadmin -x FP_NoOcrB; lpadmin -x FP_Unknown; "
            "lpadmin -x FP_DotMatrix",
            "FONTPROBE_CLI_IPP_RIG"));
}

// A PCL printer answers the status readback; misbehaving ones (silent,
// flooding, cut short, garbage, hanging up) end the command in its time with
// words that say what happened, and status 10.
TEST(FontprobeCli, AsksAPclPrinterAndTellsTheTruthOfEveryOtherAnswer) {
  const Peers peers;
  const std::string server = (RigFolder("FONTPROBE_CLI_IPP_RIG") / "cups.sock").string();
  ASSERT_TRUE(AddQueue("FP_Pjl", peers.Uri("pcl", "socket"), "MFG:Rig;CMD:PJL;"));
  int closedPort = 0;
  {
    const Listener closed;
    closedPort = closed.port;
  }
  const Misbehaving cases[] = {
      {"fonts --language pcl --uri " + peers.Uri("pcl", "socket"), 2, 0,
       "OCR-B:\tOCR-B  <Esc>(1O<Esc>(s0p10.00h12.0v0s0b110T\n"},
      {"fonts --printer FP_Pjl", 2, 0, "language:\tPCL (from its PJL configuration)\nfonts:\t4\n"},
      {"fonts --language pcl --all --uri " + peers.Uri("pcl_plain", "socket"), 2, 6,
       "font:\tCG Times\\x1b[31mred  <Esc>(s1p__v0s0b4101T\t-\n"},
      {"fonts --language pcl --json --uri " + peers.Uri("pcl_plain", "socket"), 2, 6,
       "{\"name\":\"CG Times\\u001b[31mred\",\"selection\":\"<Esc>(s1p__v0s0b4101T\"}"},
      {"fonts --language pcl --uri " + peers.Uri("silent", "socket"), 2, 10,
       "could not be asked for its fonts in PCL: no answer from the printer within 2 s."},
      {"fonts --language pcl --uri " + peers.Uri("flooding", "socket"), 2, 10,
       "the printer sent more than 1 MB, more than any answer holds; it was no longer read"},
      {"fonts --language pcl --uri " + peers.Uri("truncating", "socket"), 2, 10,
       "the printer's answer broke off after 2 fonts: the printer closed the connection in "
       "the middle of its answer."},
      {"fonts --language postscript --uri " + peers.Uri("garbage", "socket"), 2, 10,
       "the printer answered, but not with a font list (380 bytes: \"\\x00\\x17\xef\xbf\xbdPRINTER "
       "READY"},
      {"fonts --language pcl --uri " + peers.Uri("hangup", "socket"), 2, 10,
       "the printer closed the connection without answering."},
      {"fonts --language pcl --uri socket://127.0.0.1:" + std::to_string(closedPort), 2, 10,
       "could not be asked for its fonts: 127.0.0.1:" + std::to_string(closedPort) +
           ": cannot connect: Connection refused."},
      {"fonts --uri " + peers.Uri("pcl"), 2, 10, "carries no answer back"},
      {"fonts --uri lpd://127.0.0.1/queue", 2, 10,
       "its connection (lpd://) carries no answer back from the printer's own language. Print "
       "the test page instead (fontprobe print pcl), or give --uri socket://HOST"},
  };
  for (const Misbehaving& c : cases) {
    SCOPED_TRACE(c.args);
    const Result result = Fontprobe(c.args + " --timeout 2", server);
    ExpectOutcome(result, c.status, c.says);
    ExpectNoEmptyErrno(result);
    EXPECT_EQ(result.output.find_first_of("\x1b\x07"), std::string::npos) << result.output;
    EXPECT_LT(result.seconds, c.seconds + 1);
  }
  EXPECT_TRUE(Admin("lpadmin -x FP_Pjl", "FONTPROBE_CLI_IPP_RIG"));
}

// Every command tells its own usage; list and check give JSON too.
TEST(FontprobeCli, EachCommandHasItsHelpAndListAndCheckTheirJson) {
  const std::string server = (RigFolder("FONTPROBE_CLI_RIG") / "cups.sock").string();
  RunEach(
      {
          {"fonts --help", 0, "usage: fontprobe fonts [--printer NAME | --uri socket://"},
          {"print -h", 0, "usage: fontprobe print epson|pcl [--printer NAME | --uri URI]"},
          {"read --help", 0, "usage: fontprobe read FILE..."},
          {"--help", 0, "  fonts   asks the printer"},
          {"fonts --language ps", 1, "unknown language 'ps' (postscript or pcl)"},
          {"fonts FP_Alpha", 1, "unexpected 'FP_Alpha'"},
          {"fonts --uri socket://127.0.0.1:9100/path", 1, "a socket:// address has no path"},
          {"fonts --uri printer", 1, "'printer' is not a printer address"},
          {"list --json", 0, "{\"name\":\"FP_Alpha\",\"state\":\"idle\",\"default\":true}\n"},
          {"list --json", 0, "{\"name\":\"FP_Beta\",\"state\":\"stopped\",\"default\":false}\n"},
          {"check --printer FP_Gamma --json", 3, "\"accepting_jobs\":false"},
          {"check --json", 0, "\"queue\":\"FP_Alpha\",\"device\":\"capture:/rig\""},
          {"check --json", 0, "\"can_print\":true,\"says\":\"FP_Alpha takes raw pages"},
      },
      server);
}

}  // namespace
}  // namespace fontprobe
