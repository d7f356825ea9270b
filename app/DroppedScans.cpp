#include "app/DroppedScans.h"

#include "platform/win32/WicPicture.h"
#include "platform/win32/WideText.h"
#include "reading/Annotate.h"
#include "reading/Report.h"
#include "ui/EventHandler.h"

namespace fontprobe {
namespace {

// " (page N)" after the file's name for a later page, as the fontprobe command
// names it. (std::to_wstring would bring a wide printf into the program.)
std::wstring PageSuffix(int number) {
  if (number < 2) return L"";
  const std::string digits = std::to_string(number);
  return L" (page " + std::wstring(digits.begin(), digits.end()) + L")";
}

std::wstring FileName(const std::wstring& path) {
  return path.substr(path.find_last_of(L"\\/") + 1);
}

}  // namespace

void DroppedScans::Read(HWND owner, const std::vector<std::wstring>& paths, MessageSink& messages) {
  // Each file on its own: one that fails leaves the others to be read.
  for (const std::wstring& path : paths) {
    RunEventHandler(messages, [&] { ReadFile(owner, path, messages); });
  }
}

void DroppedScans::ReadFile(HWND owner, const std::wstring& path, MessageSink& messages) {
  const std::wstring name = FileName(path);
  int number = 0;
  const auto unreadable = [&](const std::string& reason) {
    messages.Show(FromWide(name + PageSuffix(number)) + u" could not be read: " +
                  FromWide(WideFromUtf8(reason)) + u".");
  };
  try {
    const std::unique_ptr<PictureFile> pictures = OpenWicPicture(path);
    for (;;) {
      ++number;
      const std::optional<PicturePage> page = pictures->NextPage();
      if (!page) return;
      const PageReading reading = ReadTestPage(page->image.View(), page->dotsPerInch);
      if (reading.verdict == Verdict::Unreadable) {
        unreadable(reading.reason);
        continue;
      }
      const std::wstring caption = name + PageSuffix(number) + L" - Fontprobe";
      // The window leaves the list when it closes.
      const auto self = windows_.emplace(windows_.end());
      try {
        *self = std::make_unique<ReadingWindow>(owner, caption,
                                                AnnotationOf(page->image.View(), reading),
                                                ReportLines(Utf8FromWide(name), number, reading),
                                                [this, self] { windows_.erase(self); });
      } catch (...) {
        windows_.erase(self);
        throw;
      }
    }
  } catch (const PictureError& error) {
    unreadable(error.what());
  }
}

}  // namespace fontprobe
