// PDF pages rendered by poppler-utils' pdfinfo and pdftoppm, started as
// programs with their arguments (never through a shell), one page at a time,
// each within a time limit, and stopped when the user stops Fontprobe.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/images/PictureFiles.h"

extern char** environ;

namespace fontprobe {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kProgramLimit = std::chrono::seconds(60);
constexpr double kRenderDotsPerInch = 300;

struct Pipe {
  int ends[2] = {-1, -1};
  Pipe() {
    if (pipe2(ends, O_CLOEXEC) != 0)
      throw PictureError(std::string("cannot make a pipe: ") + std::strerror(errno));
  }
  ~Pipe() {
    for (const int end : ends) {
      if (end >= 0) close(end);
    }
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  void CloseWriteEnd() {
    close(ends[1]);
    ends[1] = -1;
  }
};

struct FileActions {
  posix_spawn_file_actions_t actions;
  FileActions() { posix_spawn_file_actions_init(&actions); }
  ~FileActions() { posix_spawn_file_actions_destroy(&actions); }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
};

// A started program that is killed and reaped if it is left behind.
class Child {
 public:
  explicit Child(pid_t pid) : pid_(pid) {}
  ~Child() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  // The exit status once it has ended, or nothing while it runs.
  std::optional<int> Ended() {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return std::nullopt;
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  pid_t pid_;
};

struct Finished {
  int status = 0;
  std::string output;  // standard output, then standard error
};

// Runs `arguments` (the program first, found on PATH) to its end, within the
// time limit, gathering what it writes.
Finished Run(const std::vector<std::string>& arguments, const std::function<bool()>& stopped) {
  Pipe output;
  FileActions files;
  posix_spawn_file_actions_adddup2(&files.actions, output.ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&files.actions, output.ends[1], STDERR_FILENO);
  posix_spawn_file_actions_addopen(&files.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, argv[0], &files.actions, nullptr, argv.data(), environ);
  if (error == ENOENT) {
    throw PictureError("reading a PDF needs " + arguments[0] +
                       ", from the package poppler-utils (Debian: sudo apt install poppler-utils)");
  }
  if (error != 0) throw PictureError("cannot start " + arguments[0] + ": " + std::strerror(error));
  Child child(pid);
  output.CloseWriteEnd();
  Finished finished;
  const auto deadline = Clock::now() + kProgramLimit;
  bool open = true;
  for (;;) {
    if (stopped()) throw PictureError("stopped");
    if (Clock::now() > deadline) {
      throw PictureError(arguments[0] + " did not finish within " +
                         std::to_string(kProgramLimit.count()) + " s");
    }
    if (open) {
      pollfd readable{output.ends[0], POLLIN, 0};
      if (poll(&readable, 1, 50) > 0) {
        char buffer[4096];
        const ssize_t n = read(output.ends[0], buffer, sizeof buffer);
        if (n > 0) finished.output.append(buffer, static_cast<std::size_t>(n));
        open = n > 0 || (n < 0 && errno == EINTR);
      }
      continue;
    }
    if (const auto status = child.Ended()) {
      finished.status = *status;
      return finished;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// The first line a program wrote, to say why it failed.
std::string FirstLine(const std::string& output) {
  const std::string line = output.substr(0, output.find('\n'));
  return line.empty() ? "it gave no reason" : line;
}

// A folder of its own for the rendered pages, removed with all in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fontprobe-XXXXXX";
    if (!mkdtemp(pattern.data()))
      throw PictureError(std::string("cannot make a scratch folder: ") + std::strerror(errno));
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

class PdfPicture : public PictureFile {
 public:
  PdfPicture(std::string path, std::function<bool()> stopped)
      : path_(std::move(path)), stopped_(std::move(stopped)) {
    const Finished info = Run({"pdfinfo", "-f", "1", "-l", "1000000", "--", path_}, stopped_);
    if (info.status != 0) throw PictureError("a broken PDF file: " + FirstLine(info.output));
    std::istringstream lines(info.output);
    for (std::string line; std::getline(lines, line);) {
      int number = 0;
      double width = 0, height = 0;
      if (std::sscanf(line.c_str(), "Page %d size: %lf x %lf", &number, &width, &height) == 3) {
        pageInches_.push_back(width * height / (72.0 * 72.0));
      }
    }
    if (pageInches_.empty()) throw PictureError("a PDF file without pages");
  }

 protected:
  std::optional<DecodedPage> Decode() override {
    if (next_ >= pageInches_.size()) return std::nullopt;
    const std::size_t number = ++next_;
    // 300 dpi, or less for a page so large that it would pass the limit.
    const double resolution =
        std::min(kRenderDotsPerInch,
                 std::floor(std::sqrt(kLargestPicture / std::max(pageInches_[number - 1], 1e-6))));
    const std::string page = std::to_string(number);
    const std::string stem = scratch_.Path() + "/page";
    const Finished rendered =
        Run({"pdftoppm", "-gray", "-r", std::to_string(static_cast<int>(resolution)), "-f", page,
             "-l", page, "-singlefile", "--", path_, stem},
            stopped_);
    if (rendered.status != 0) {
      throw PictureError("pdftoppm could not render page " + page + ": " +
                         FirstLine(rendered.output));
    }
    DecodedPage picture{ReadPgm(stem + ".pgm"), StatedResolution{resolution, resolution}, 1};
    std::filesystem::remove(stem + ".pgm");
    return picture;
  }

 private:
  std::string path_;
  std::function<bool()> stopped_;
  std::vector<double> pageInches_;  // each page's area in square inches
  std::size_t next_ = 0;
  ScratchFolder scratch_;
};

}  // namespace

std::unique_ptr<PictureFile> OpenPdf(const std::string& path, std::function<bool()> stopped) {
  return std::make_unique<PdfPicture>(path, std::move(stopped));
}

GreyImage ReadPgm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  long long width = 0, height = 0, most = 0;
  in >> magic;
  // Comments may stand between the numbers.
  auto number = [&in](long long& value) {
    while (in >> std::ws && in.peek() == '#') in.ignore(1 << 20, '\n');
    in >> value;
  };
  number(width);
  number(height);
  number(most);
  if (!in || magic != "P5" || width <= 0 || height <= 0 || most <= 0 || most > 65535) {
    throw PictureError("the rendered page is not a grey picture");
  }
  RefuseIfTooLarge(static_cast<double>(width), static_cast<double>(height));
  in.get();  // the one white-space byte before the pixels
  const int bytes = most > 255 ? 2 : 1;
  GreyImage image{static_cast<int>(width), static_cast<int>(height),
                  std::vector<std::uint8_t>(static_cast<std::size_t>(width * height))};
  std::vector<char> row(static_cast<std::size_t>(width * bytes));
  for (long long y = 0; y < height; ++y) {
    if (!in.read(row.data(), static_cast<std::streamsize>(row.size()))) {
      throw PictureError("the rendered page is cut short");
    }
    for (long long x = 0; x < width; ++x) {
      const unsigned value = bytes == 2 ? static_cast<unsigned char>(row[2 * x]) << 8 |
                                              static_cast<unsigned char>(row[2 * x + 1])
                                        : static_cast<unsigned char>(row[x]);
      image.pixels[static_cast<std::size_t>(y * width + x)] =
          static_cast<std::uint8_t>(value * 255 / static_cast<unsigned>(most));
    }
  }
  return image;
}

}  // namespace fontprobe
