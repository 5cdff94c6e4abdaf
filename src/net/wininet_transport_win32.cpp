#include <windows.h>

#include <algorithm>
#include <memory>

#include "net/wininet_exchange_win32.h"
#include "net/wininet_transport.h"

namespace pelrine {

namespace {

// A request and its reply, shared by the waiting side and the worker.
template <class Request, class Reply>
struct Job {
  Request request{};
  Reply reply{};
  Abandoned abandoned = false;
};
using FetchJob = Job<FetchRequest, FetchReply>;
using UtilityJob = Job<UtilityRequest, std::optional<UtilityReply>>;

void Perform(FetchJob& job) { job.reply = PageRequest(job.request, job.abandoned); }
void Perform(UtilityJob& job) { job.reply = UtilityRequestWorker(job.request, job.abandoned); }

template <class J>
DWORD WINAPI WorkerMain(void* parameter) {
  const std::unique_ptr<std::shared_ptr<J>> share(static_cast<std::shared_ptr<J>*>(parameter));
  try {
    Perform(**share);
  } catch (...) {
    // Out of memory for a huge body: the reply stays empty.
  }
  return 0;
}

enum class Outcome { kEnded, kTimedOut, kNotStarted };

// Waits for the worker, each wait as long as the whole time-out and ended
// early by window input; any wake-up after the time-out has passed since
// the start counts as a time-out, even when the worker has ended meanwhile.
Outcome AwaitWorker(HANDLE thread, int timeout_seconds, EventPump& pump) {
  const ULONGLONG timeout_ms = std::max(timeout_seconds, 0) * 1000ULL;
  const DWORD wait_ms = static_cast<DWORD>(std::min<ULONGLONG>(timeout_ms, INFINITE - 1));
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, wait_ms, QS_ALLEVENTS);
    const bool expired = woke == WAIT_TIMEOUT || GetTickCount64() - start >= timeout_ms;
    pump.ProcessEvents();
    if (expired) return Outcome::kTimedOut;
    if (woke == WAIT_OBJECT_0) return Outcome::kEnded;
  }
}

template <class J>
Outcome RunWorker(const std::shared_ptr<J>& job, int timeout_seconds, EventPump& pump) {
  auto share = std::make_unique<std::shared_ptr<J>>(job);
  const UniqueHandle thread(CreateThread(nullptr, 0, WorkerMain<J>, share.get(), 0, nullptr));
  if (!thread) return Outcome::kNotStarted;
  share.release();
  const Outcome outcome = AwaitWorker(thread.get(), timeout_seconds, pump);
  if (outcome == Outcome::kTimedOut) job->abandoned = true;
  return outcome;
}

}  // namespace

FetchReply WinInetTransport::Fetch(const FetchRequest& request) {
  const auto job = std::make_shared<FetchJob>();
  job->request = request;
  switch (RunWorker(job, request.timeout_seconds, pump_)) {
    case Outcome::kEnded:
      return std::move(job->reply);
    case Outcome::kTimedOut:
      return {.timed_out = true};
    case Outcome::kNotStarted:
      break;
  }
  return {};
}

UtilityReply WinInetTransport::Request(const UtilityRequest& request) {
  const auto job = std::make_shared<UtilityJob>();
  job->request = request;
  if (RunWorker(job, request.timeout_seconds, pump_) != Outcome::kEnded || !job->reply) return {};
  return std::move(*job->reply);
}

}  // namespace pelrine
