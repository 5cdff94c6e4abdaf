// One headless collect run against the service simulator, timed: the real
// client, WinInet transport and file system, the run's window a stand-in.
//   collect_bench.exe HOST:PORT SAVE_FOLDER
// Prints the wall time and the number of articles written.
#include <windows.h>

#include <cstdio>
#include <string>

#include "guang/guang_client.h"
#include "net/file_system_win32.h"
#include "net/wininet_transport.h"
#include "run/run_collection.h"
#include "run_fakes.h"

int main(int argc, char** argv) {
  using namespace pelrine;
  if (argc != 3) {
    std::fprintf(stderr, "usage: collect_bench HOST:PORT SAVE_FOLDER\n");
    return 2;
  }
  FakeRunWindow window;
  window.search_words = "连衣裙";
  window.save_directory = argv[2];
  window.shares_per_file = "6";
  window.content_templates =
      "<p>#页面#</p><p>#描述#|#标签#|#标题#|#价格#|#专辑#</p><p>#评论#</p><img src=\"#图片#\">";
  window.title_template = "#插入词1#";
  for (int n = 1; n <= 100; ++n) window.insert_words1 += "文章" + std::to_string(n) + "\r\n";
  window.download_pictures = true;

  ServiceHosts hosts;
  hosts.guang = hosts.comment = argv[1];
  WinInetTransport transport(window);
  PagePictureFetch pictures(transport);
  AnsiFileSystem files;
  SeededRandom random(1);
  ThreadSleeper sleeper;
  FakeLinks links;
  GuangClient client(transport, hosts, random);
  RunFlags flags;

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  RunCollection({{client, links, pictures, files, random, sleeper}, window}, flags);
  QueryPerformanceCounter(&end);
  const long long ms = (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
  std::printf("collect run: %lld ms, %zu articles\n", ms, window.collect_captions.size());
  return 0;
}
