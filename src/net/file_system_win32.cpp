#include "net/file_system_win32.h"

#include <windows.h>

#include <algorithm>

#include "net/gbk_text.h"
#include "net/handles_win32.h"

namespace pelrine {
namespace {

// An owned file handle, null when the file could not be opened.
UniqueHandle OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  HANDLE handle = CreateFileA(path.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// The directory part of `path` with its final backslash ("." for a bare name).
std::string DirectoryOf(const std::string& path) {
  const size_t slash = FindLastOnCharBoundary(path, "\\");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

bool WriteAndFlush(const std::string& path, std::string_view bytes) {
  UniqueHandle file = OpenFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file) return false;
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return FlushFileBuffers(file.get()) != 0;
}

}  // namespace

bool AnsiFileSystem::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool AnsiFileSystem::MakeDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool AnsiFileSystem::WriteWholeFile(const std::string& path, std::string_view bytes) {
  // GetTempFileNameA creates an empty file of a name nobody else uses in the
  // target's directory, so the move below stays on one volume.
  char temporary[MAX_PATH];
  if (!GetTempFileNameA(DirectoryOf(path).c_str(), "pel", 0, temporary)) return false;
  if (WriteAndFlush(temporary, bytes) &&
      MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(temporary);
  return false;
}

std::optional<std::string> AnsiFileSystem::ReadWholeFile(const std::string& path) {
  UniqueHandle file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
    if (read == 0) return bytes;
    bytes.append(buffer, read);
  }
  return std::nullopt;
}

}  // namespace pelrine
