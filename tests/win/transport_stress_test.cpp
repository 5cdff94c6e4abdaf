// Many fetches through the WinInet transport, half of them abandoned at a
// time-out while their workers still run: afterwards the process holds no
// more handles, threads or memory than before, and no abandoned worker has
// written into memory the caller owns or has given back.
#include "loopback_server.h"  // winsock2.h before windows.h
// after windows.h
#include <gtest/gtest.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <deque>
#include <memory>
#include <vector>

#include "net/page_fetch.h"
#include "net/wininet_transport.h"

namespace pelrine {
namespace {

struct ProcessFigures {
  DWORD handles = 0;
  int threads = 0;
  SIZE_T private_bytes = 0;
};

int ThreadCount() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  const std::unique_ptr<void, decltype(&CloseHandle)> owner(snapshot, &CloseHandle);
  int count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  return count;
}

// The process's entries in the system's handle table.
DWORD HandlesInSystemTable() {
  struct Entry {
    USHORT process;
    USHORT back_trace;
    UCHAR type;
    UCHAR attributes;
    USHORT value;
    void* object;
    ULONG access;
  };
  struct Table {
    ULONG count;
    Entry entries[1];
  };
  using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  constexpr ULONG kSystemHandleInformation = 16;
  std::vector<char> buffer(1 << 20);
  ULONG length = 0;
  while (query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
               &length) != 0) {
    if (buffer.size() >= (64u << 20)) return 0;
    buffer.resize(buffer.size() * 2);
  }
  const auto* table = reinterpret_cast<const Table*>(buffer.data());
  DWORD count = 0;
  for (ULONG i = 0; i < table->count; ++i)
    count += table->entries[i].process == static_cast<USHORT>(GetCurrentProcessId());
  return count;
}

ProcessFigures Measure() {
  ProcessFigures figures;
  // Wine answers 0 here; its handle table still knows the real number.
  if (!GetProcessHandleCount(GetCurrentProcess(), &figures.handles) || figures.handles == 0)
    figures.handles = HandlesInSystemTable();
  figures.threads = ThreadCount();
  // The commit charge, the same as the private bytes (which Wine leaves 0).
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  figures.private_bytes = memory.PagefileUsage;
  return figures;
}

// Waits (bounded) until the workers still running have ended.
ProcessFigures SettledFigures(int threads) {
  for (int polls = 0; polls < 400 && ThreadCount() > threads; ++polls) Sleep(50);
  Sleep(200);
  return Measure();
}

// Blocks of several sizes filled with one byte, laid after every time-out
// while the abandoned worker may still run, so that they take the place of
// anything given back too early. The last rounds' blocks are kept; older
// ones are checked and given back, which keeps the memory they take steady.
class Canaries {
 public:
  void Lay() {
    std::vector<std::string>& round = rounds_.emplace_back();
    for (size_t size = 16; size <= 4096; size *= 2) round.emplace_back(size, kByte);
    if (rounds_.size() > kRoundsKept) {
      damaged_ |= !Intact(rounds_.front());
      rounds_.pop_front();
    }
  }
  bool Intact() const {
    return !damaged_ && std::all_of(rounds_.begin(), rounds_.end(),
                                    [](const auto& round) { return Intact(round); });
  }

 private:
  static constexpr char kByte = '\xA5';
  static constexpr size_t kRoundsKept = 64;
  static bool Intact(const std::vector<std::string>& round) {
    return std::all_of(round.begin(), round.end(), [](const std::string& block) {
      return block.find_first_not_of(kByte) == std::string::npos;
    });
  }
  std::deque<std::vector<std::string>> rounds_;
  bool damaged_ = false;
};

TEST(TransportStress, AbandonedAndFinishedWorkersLeaveNothingBehind) {
  const std::string page(2048, 'p');
  std::atomic<int> late_answers = 0;
  LoopbackServer server(
      [&](const ReceivedRequest& request) {
        // Late answers come after a short, varying pause, so that workers are
        // abandoned in every phase of their exchange.
        if (request.RequestLine().starts_with("GET /late")) Sleep(late_answers++ % 4 * 5);
        return ServerReply{HttpReply(page)};
      },
      8);
  NoEvents pump;
  WinInetTransport transport(pump);
  const std::string late_url = server.Url("/late");
  Canaries canaries;
  auto run = [&](int rounds) {
    for (int i = 0; i < rounds; ++i) {
      std::string url = late_url + "?" + std::to_string(i);
      ASSERT_TRUE(PageFetch(transport, url, {.timeout_seconds = 0}).timed_out);
      canaries.Lay();
      std::string quick_url = server.Url("/quick");
      ASSERT_EQ(PageFetch(transport, quick_url, {.timeout_seconds = 20}).body, page);
      server.ClearRequests();
    }
  };

  const int idle_threads = ThreadCount();
  run(200);  // WinInet, the heap and the canaries reach their steady size
  const ProcessFigures before = SettledFigures(idle_threads);

  run(1000);
  const ProcessFigures after = SettledFigures(before.threads);

  EXPECT_TRUE(canaries.Intact());
  EXPECT_LE(after.threads, before.threads);
  EXPECT_LE(after.handles, before.handles + 16);
  EXPECT_LE(after.private_bytes, before.private_bytes + 1024 * 1024);
  std::printf("threads %d -> %d, handles %lu -> %lu, private KB %llu -> %llu\n", before.threads,
              after.threads, before.handles, after.handles,
              static_cast<unsigned long long>(before.private_bytes / 1024),
              static_cast<unsigned long long>(after.private_bytes / 1024));
}

TEST(TransportStress, AnAbandonedWorkerEndsWhileTheServerStaysSilent) {
  const auto gate = std::make_shared<Gate>();
  LoopbackServer server([gate](const ReceivedRequest&) {
    gate->Wait(60000);
    return ServerReply{HttpReply("too late")};
  });
  NoEvents pump;
  WinInetTransport transport(pump);
  const int idle_threads = ThreadCount();
  std::string url = server.Url("/silent");
  EXPECT_TRUE(PageFetch(transport, url, {.timeout_seconds = 1}).timed_out);
  EXPECT_LE(SettledFigures(idle_threads).threads, idle_threads);
  gate->Open();
}

}  // namespace
}  // namespace pelrine
