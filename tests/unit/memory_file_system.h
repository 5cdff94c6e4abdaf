// An in-memory file system that refuses what Windows refuses: a directory or
// file whose parent is missing, names with characters a file name cannot
// hold, and writes to paths the test marks as failing.
#pragma once

#include <map>
#include <set>
#include <string>

#include "net/file_system.h"
#include "net/gbk_text.h"

namespace pelrine {

class MemoryFileSystem final : public FileSystem {
 public:
  bool Exists(const std::string& path) override {
    return files.count(path) != 0 || directories.count(path) != 0;
  }

  bool MakeDirectory(const std::string& path) override {
    if (Exists(path) || !CanHold(path)) return false;
    directories.insert(path);
    return true;
  }

  bool WriteWholeFile(const std::string& path, std::string_view bytes) override {
    if (directories.count(path) != 0 || failing_writes.count(path) != 0 || !CanHold(path))
      return false;
    files[path] = std::string(bytes);
    return true;
  }

  std::optional<std::string> ReadWholeFile(const std::string& path) override {
    const auto file = files.find(path);
    if (file == files.end()) return std::nullopt;
    return file->second;
  }

  std::map<std::string, std::string> files;
  std::set<std::string> directories;
  std::set<std::string> failing_writes;

 private:
  // The parent exists (a drive such as "C:" always does) and the last
  // component is a valid name.
  bool CanHold(const std::string& path) const {
    const size_t slash = FindLastOnCharBoundary(path, "\\");
    if (slash == std::string::npos) return false;
    const std::string parent = path.substr(0, slash);
    if (parent.size() != 2 && directories.count(parent) == 0) return false;
    const std::string_view name = std::string_view(path).substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return false;
    for (size_t at = 0; at < name.size(); at += GbkCharLength(name, at)) {
      const unsigned char c = static_cast<unsigned char>(name[at]);
      if (GbkCharLength(name, at) == 1 &&
          (c < 0x20 || std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) !=
                           std::string_view::npos))
        return false;
    }
    return true;
  }
};

}  // namespace pelrine
