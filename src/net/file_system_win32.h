// The file system of the Windows build, on the ANSI file API (the paths are
// GBK bytes, the program's code page).
#pragma once

#include "net/file_system.h"

namespace pelrine {

class AnsiFileSystem final : public FileSystem {
 public:
  bool Exists(const std::string& path) override;
  bool MakeDirectory(const std::string& path) override;
  bool WriteWholeFile(const std::string& path, std::string_view bytes) override;
  std::optional<std::string> ReadWholeFile(const std::string& path) override;
};

}  // namespace pelrine
