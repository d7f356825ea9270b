#include "cli/ReadPictures.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numbers>
#include <optional>

#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "platform/images/PictureFiles.h"
#include "reading/Annotate.h"
#include "reading/Report.h"

namespace fontprobe {

namespace {

// A 3's likeness part by part (see kThreeParts).
Json RoundedParts(const std::array<double, 3>& parts) {
  Json json = Json::array();
  for (const double part : parts) json.push_back(Rounded(part));
  return json;
}

Json JsonBlock(const BlockReading& block) {
  Json json{{"block", block.number},
            {"sequence", block.sequence},
            {"typeface", TypefaceName(block.typeface)}};
  const LineEvidence& e = block.evidence;
  if (e.found) {
    json["characters"] = e.characters;
    json["left_out"] = std::count(e.used.begin(), e.used.end(), false);
    json["level"] = Rounded(e.level);
    json["alike"] = Rounded(e.alike);
    json["ocr_b_likeness"] = Rounded(e.shape.ocrB);
    json["other_likeness"] = Rounded(e.shape.other);
    json["other_face"] = e.shape.otherFace;
    json["next_likeness"] = Rounded(e.shape.next);
    json["next_face"] = e.shape.nextFace;
    json["ocr_b_parts"] = RoundedParts(e.shape.ocrBParts);
    json["other_parts"] = RoundedParts(e.shape.otherParts);
    json["print"] = PrintMethodName(e.shape.print);
    json["digit"] = std::string(1, e.shape.digit);
    if (block.difference) json["difference"] = Rounded(*block.difference);
  }
  if (!block.reason.empty()) json["reason"] = block.reason;
  return json;
}

// The page's frame as a person says it: turned by a multiple of 90 degrees
// clockwise, then tilted by a few; and whether the picture shows it mirrored.
void AddFrame(const PageReading& reading, Json& json) {
  if (!reading.frame) return;
  double degrees = reading.frame->angle * 180 / std::numbers::pi;
  degrees = std::fmod(std::fmod(degrees, 360) + 360, 360);
  json["turned"] = static_cast<int>(std::fmod(std::round(degrees / 90) * 90, 360));
  json["tilt"] = Rounded(degrees - std::round(degrees / 90) * 90);
  json["mirrored"] = reading.frame->mirrored;
}

Json JsonPage(const std::string& file, int number, const PageReading& reading) {
  Json json{{"file", file}, {"page_number", number}, {"page", nullptr}};
  if (reading.family) json["page"] = *reading.family == PrinterFamily::Pcl ? "pcl" : "epson";
  json["blocks"] = Json::array();
  for (const BlockReading& block : reading.blocks) json["blocks"].push_back(JsonBlock(block));
  json["verdict"] = VerdictName(reading.verdict);
  json["reason"] = VerdictSentence(reading);
  if (reading.dotsPerInch > 0) json["dpi"] = Rounded(reading.dotsPerInch);
  if (reading.statedDotsPerInch) json["file_dpi"] = Rounded(*reading.statedDotsPerInch);
  AddFrame(reading, json);
  return json;
}

// Standard input saved to a file of its own, as the decoders read files.
class SavedInput {
 public:
  SavedInput() {
    const char* tmp = std::getenv("TMPDIR");
    path_ = std::string(tmp && *tmp ? tmp : "/tmp") + "/fontprobe-input-XXXXXX";
    const int fd = mkstemp(path_.data());
    if (fd < 0)
      throw PictureError(std::string("cannot save standard input: ") + std::strerror(errno));
    char buffer[65536];
    for (ssize_t n; (n = read(STDIN_FILENO, buffer, sizeof buffer)) != 0;) {
      if (n < 0 && errno == EINTR && !interrupted) continue;
      if (n < 0 || write(fd, buffer, static_cast<std::size_t>(n)) != n) {
        close(fd);
        throw PictureError("cannot save standard input");
      }
    }
    close(fd);
  }
  ~SavedInput() { std::remove(path_.c_str()); }
  SavedInput(const SavedInput&) = delete;
  SavedInput& operator=(const SavedInput&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

class Reader {
 public:
  explicit Reader(const ReadRequest& request) : request_(request) {}

  // Reads every page of the file, telling each; a file or page that cannot be
  // decoded is told as unreadable. Throws PictureError when the user stopped
  // it or an annotated picture cannot be written.
  void ReadFile(const std::string& file) {
    const std::string shown = file == "-" ? "standard input" : file;
    int number = 0;
    auto unreadable = [&](const PictureError& error) {
      if (interrupted) throw error;
      PageReading reading;
      reading.reason = error.what();
      Tell(file, shown, number + 1, reading);
    };
    std::optional<SavedInput> input;
    std::unique_ptr<PictureFile> pictures;
    try {
      if (file == "-") input.emplace();
      pictures = OpenPicture(input ? input->Path() : file, [] { return interrupted != 0; });
    } catch (const PictureError& error) {
      return unreadable(error);
    }
    for (;;) {
      std::optional<PicturePage> page;
      try {
        page = pictures->NextPage();
      } catch (const PictureError& error) {
        return unreadable(error);
      }
      if (!page) return;
      ++number;
      const PageReading reading = ReadTestPage(page->image.View(), page->dotsPerInch);
      Tell(file, shown, number, reading);
      if (request_.annotatePrefix) {
        WritePng(*request_.annotatePrefix + "-" + std::to_string(++annotated_) + ".png",
                 AnnotatePage(page->image.View(), reading));
      }
    }
  }

  int Status() const {
    return ocrB_ ? kDone : noOcrB_ ? kNoOcrB : undecided_ ? kUndecided : kNothingRead;
  }

 private:
  void Tell(const std::string& file, const std::string& shown, int number,
            const PageReading& reading) {
    ocrB_ = ocrB_ || reading.verdict == Verdict::OcrB;
    noOcrB_ = noOcrB_ || reading.verdict == Verdict::NoOcrB;
    undecided_ = undecided_ || reading.verdict == Verdict::Undecided;
    if (request_.json) {
      std::printf("%s\n", JsonLine(JsonPage(file, number, reading)).c_str());
    } else {
      for (const std::string& line : ReportLines(shown, number, reading)) Say(line);
    }
    std::fflush(stdout);
  }

  const ReadRequest& request_;
  int annotated_ = 0;
  bool ocrB_ = false;
  bool noOcrB_ = false;
  bool undecided_ = false;
};

}  // namespace

int ReadPictures(const ReadRequest& request) {
  if (std::count(request.files.begin(), request.files.end(), "-") && isatty(STDIN_FILENO)) {
    return Usage("standard input is a terminal: pipe a picture in, or name a file");
  }
  Reader reader(request);
  try {
    for (const std::string& file : request.files) reader.ReadFile(file);
  } catch (const PictureError& error) {
    return Fail(interrupted ? kInterrupted : kUsage,
                std::string("fontprobe: ") + (interrupted ? "stopped" : error.what()) + ".");
  }
  return reader.Status();
}

}  // namespace fontprobe
