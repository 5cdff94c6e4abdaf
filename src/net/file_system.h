// The files the program writes and reads. Paths are GBK bytes with
// backslashes, handed to the system as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelrine {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True when a file or a directory exists at `path`.
  virtual bool Exists(const std::string& path) = 0;
  // Creates one directory whose parent exists; false when it cannot be made
  // (also when something exists there already).
  virtual bool MakeDirectory(const std::string& path) = 0;
  // Makes `bytes` the whole content of the file at `path`: written beside it
  // first and then moved over it, so that a failed write leaves no partial
  // file and an earlier file of that name whole.
  virtual bool WriteWholeFile(const std::string& path, std::string_view bytes) = 0;
  // The content of the file at `path`; nullopt when it cannot be read.
  virtual std::optional<std::string> ReadWholeFile(const std::string& path) = 0;
};

}  // namespace pelrine
