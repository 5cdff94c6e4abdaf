// CPU cost of the batch road of a collection run, without network or disk:
// template choice, same-kind swap, rendering a 2 KB template with every
// marker, a title with two random sentences, and file naming, over a given
// number of shares.
#include <benchmark/benchmark.h>

#include <memory>

#include "memory_file_system.h"
#include "run/run_collection.h"
#include "run_fakes.h"

namespace pelrine {
namespace {

std::string TwoKilobyteTemplate() {
  const std::string markers =
      "<div class=\"share\"><img src=\"#图片#\" alt=\"#描述#\"><p>#昵称# 发表于 #日期#：#描述#</p>"
      "<p>专辑：#专辑# 喜欢 #喜欢# 鲜花 #鲜花# 鸡蛋 #鸡蛋#</p><p>标签：#标签#</p>"
      "<p><a href=\"#页面#\">原文</a> <a href=\"#购买#\">#标题#</a> 价格 #价格#</p>"
      "<p>#插入词1#，#插入词2#。</p><div class=\"comments\">#评论#</div></div>\r\n";
  std::string tmpl;
  while (tmpl.size() < 2048) tmpl += markers;
  return tmpl;
}

std::string InsertWords() {
  std::string words;
  for (int i = 0; i < 100; ++i) words += "插入词" + std::to_string(i) + "\r\n";
  return words;
}

struct Rig : FakeRunParts {
  explicit Rig(int shares) {
    window.content_templates = TwoKilobyteTemplate();
    window.title_template = "#专辑#：#随机一句#，#随机一句#";
    window.insert_words1 = window.insert_words2 = InsertWords();
    window.swap_same_kind = true;
    window.per_word_limit = std::to_string(shares);
    files.directories = {"C:\\out"};
    std::vector<ScriptedShareSource::Page>& pages = source.pages["w"];
    for (int first = 1; first <= shares; first += 6) {
      std::vector<int> ids;
      for (int id = first; id < first + 6; ++id) ids.push_back(id);
      pages.emplace_back(ids);
    }
    source.adjust_share = [](ShareRecord& share) {
      share.comments = "<p>好看！</p><p>在哪里买的？</p><p>求链接</p>";
      share.description = "今天买的新衣服，颜色很正，质量也不错。" + share.description;
    };
  }

  RunServices services = Services();
};

void BM_BatchRoad(benchmark::State& state) {
  const int shares = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto rig = std::make_unique<Rig>(shares);
    RunFlags flags;
    state.ResumeTiming();
    RunCollection(rig->services, flags);
    state.PauseTiming();
    if (rig->files.files.empty()) state.SkipWithError("no article written");
    rig.reset();
    state.ResumeTiming();
  }
  state.counters["per_share"] = benchmark::Counter(
      static_cast<double>(shares),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BatchRoad)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelrine

BENCHMARK_MAIN();
