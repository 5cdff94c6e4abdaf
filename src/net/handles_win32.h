// Owners of the Windows handles of the transport: each closes its handle
// once, when it goes out of scope or is reset. Both kinds of handle are
// plain pointers, so this header needs no Windows header of its own.
#pragma once

#include <memory>

namespace pelrine {

struct InternetCloser {
  void operator()(void* handle) const;
};
using InternetHandle = std::unique_ptr<void, InternetCloser>;

struct HandleCloser {
  void operator()(void* handle) const;
};
// For handles that are null on failure (threads, events); not for files.
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

}  // namespace pelrine
