#include "app/word_file.h"

#include <windows.h>

#include <algorithm>

#include "app/win32_handles.h"

namespace pelrine {
namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool WriteWordFile(const std::string& path, std::string_view text) {
  const std::string beside = path + ".new";
  bool written;
  {
    UniqueHandle file = MakeFileHandle(CreateFileA(beside.c_str(), GENERIC_WRITE, 0, nullptr,
                                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    written = WriteAll(file.get(), text) && FlushFileBuffers(file.get());
  }
  if (written &&
      MoveFileExA(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(beside.c_str());
  return false;
}

std::string ReadWordFile(const std::string& path, std::string_view fallback) {
  UniqueHandle file =
      MakeFileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::string(fallback);
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
    bytes.append(chunk, got);
  if (bytes.empty()) return std::string(fallback);
  return bytes.substr(0, bytes.find('\0'));
}

}  // namespace pelrine
