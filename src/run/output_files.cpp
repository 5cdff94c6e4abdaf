#include "run/output_files.h"

#include <array>

#include "net/gbk_text.h"

namespace pelrine {
namespace {

constexpr size_t npos = std::string_view::npos;

bool IsDeviceName(std::string_view name) {
  std::string stem = AsciiLower(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static constexpr std::array<std::string_view, 6> kDevices = {"con",  "prn",    "aux",
                                                               "nul",  "conin$", "conout$"};
  for (std::string_view device : kDevices)
    if (stem == device) return true;
  return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

std::string WithoutDeviceName(std::string name) {
  return IsDeviceName(name) ? "_" + name : name;
}

}  // namespace

bool CreatePathDirectories(std::string_view path, FileSystem& files) {
  for (size_t slash = FindOnCharBoundary(path, "\\"); slash != npos;
       slash = FindOnCharBoundary(path, "\\", slash + 1)) {
    const std::string prefix(path.substr(0, slash));
    if (prefix.size() == 2 || files.Exists(prefix)) continue;
    if (!files.MakeDirectory(prefix)) return false;
  }
  return true;
}

std::string SafeFileName(std::string_view title) {
  std::string name(title);
  for (char c : std::string_view("\\/:*?|<>"))
    name = ReplaceAll(name, std::string(1, c),
                      std::string{'\xA3', static_cast<char>(static_cast<unsigned char>(c) + 0x80)});
  for (std::string_view gone : {"\"", "\r\n", "\r", "\n"}) name = ReplaceAll(name, gone, "");
  return name;
}

std::string ArticleFileName(std::string_view title, std::string_view extension) {
  return WithoutDeviceName(SafeFileName(title) + "." + std::string(extension));
}

std::string PictureExtension(std::string_view picture_url) {
  const size_t dot = FindLastOnCharBoundary(picture_url, ".");
  if (dot == npos) return {};
  const std::string_view extension = picture_url.substr(dot);
  return FindOnCharBoundary(extension, "/") == npos ? std::string(extension) : ".jpg";
}

std::string SafePictureName(std::string_view name) {
  std::string safe = SafeFileName(name);
  if (safe.find_first_not_of(". ") == npos) return "_" + safe;
  return WithoutDeviceName(safe);
}

void LocalisePicture(std::string_view output_directory, std::string_view directory_name,
                     ShareRecord& share, FileSystem& files, PictureFetch& fetch,
                     StatusLabel& status) {
  const std::string name = SafePictureName(share.shareId + PictureExtension(share.pictureUrl));
  const std::string directory = std::string(output_directory) + std::string(directory_name);
  status.SetStatusText("下载图片到相对路径 " + std::string(directory_name) + "\\" + name);
  files.MakeDirectory(directory);
  const std::string path = directory + "\\" + name;
  if (!files.Exists(path)) {
    const FetchedBody picture = fetch.Fetch(share.pictureUrl);
    if (!picture.timed_out && !picture.bytes.empty()) files.WriteWholeFile(path, picture.bytes);
  }
  share.pictureUrl = std::string(directory_name) + "/" + name;
}

}  // namespace pelrine
