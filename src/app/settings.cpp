#include "app/settings.h"

#include <algorithm>

#include "app/main_window.h"
#include "app/word_file.h"

namespace pelrine {
namespace {

using enum ControlId;

constexpr char kSection[] = "基本配置";
constexpr char kHostsSection[] = "服务地址";
constexpr char kWords1File[] = "\\插入词1.txt";
constexpr char kWords2File[] = "\\插入词2.txt";

// A stored list index as a selection; anything out of range selects nothing.
int AsIndex(double number) { return static_cast<int>(std::clamp(number, -1.0, 1e6)); }

void LoadText(const ControlSet& controls, const SettingsStore& store, const char* key,
              ControlId box) {
  controls.SetText(box, store.ReadText(key, controls.Text(box)));
}

void LoadIndex(const ControlSet& controls, const SettingsStore& store, const char* key,
               ControlId list) {
  controls.Select(list, AsIndex(store.ReadNumber(key, controls.Selection(list))));
}

// Collects the files of the writes that failed.
class SaveLog {
 public:
  explicit SaveLog(const SettingsStore& store) : store_(store) {}
  void Text(const char* key, const ControlSet& controls, ControlId box) {
    Note(store_.WriteText(key, controls.Text(box)), store_.File());
  }
  void Index(const char* key, const ControlSet& controls, ControlId list) {
    Note(store_.WriteNumber(key, controls.Selection(list)), store_.File());
  }
  void CheckBox(const ControlSet& controls, ControlId box) {
    Note(store_.SaveCheckBox(controls[box]), store_.File());
  }
  void Note(bool written, const std::string& file) {
    if (!written && std::find(failed_.begin(), failed_.end(), file) == failed_.end())
      failed_.push_back(file);
  }
  const std::vector<std::string>& Failed() const { return failed_; }

 private:
  const SettingsStore& store_;
  std::vector<std::string> failed_;
};

void SaveInterface(const ControlSet& controls, SaveLog& log) {
  log.Index("URL编码", controls, 组合框URL编码);
  log.Index("调用模式", controls, 组合框调用模式);
  log.Text("接口地址", controls, 编辑框接口地址);
  log.Text("POST数据", controls, 编辑框POST数据);
  log.Text("左边字符", controls, 编辑框左边字符);
  log.Text("右边字符", controls, 编辑框右边字符);
  log.CheckBox(controls, 选择框逆向);
  log.CheckBox(controls, 选择框替换);
  log.Text("欲替换", controls, 编辑框欲替换);
  log.Text("替换为", controls, 编辑框替换为);
}

}  // namespace

std::string SettingsFilePath(const std::string& program_directory) {
  return program_directory + "\\" + kSettingsFileName;
}

ServiceHosts ReadServiceHosts(const std::string& settings_file) {
  SettingsStore store;
  store.SetFile(settings_file);
  store.SetSection(kHostsSection);
  ServiceHosts hosts;
  for (auto [key, value] : {std::pair{"逛逛", &hosts.guang},
                            {"评论", &hosts.comment},
                            {"开放平台", &hosts.open_platform},
                            {"dwz", &hosts.dwz},
                            {"cnzz", &hosts.cnzz},
                            {"推广链接", &hosts.promotion_link}}) {
    std::string configured = store.ReadText(key, "");
    if (configured.find_first_not_of(" \t") != std::string::npos) *value = std::move(configured);
  }
  return hosts;
}

void LoadSettings(MainWindow& window, SettingsStore& store) {
  const ControlSet& controls = window.Controls();
  store.SetSection(kSection);

  const std::string type = store.ReadText("分类", window.ShareTypeTag());
  window.SelectShareType(type == "1"   ? ShareTypeChoice::Items
                         : type == "2" ? ShareTypeChoice::Pictures
                         : type == "3" ? ShareTypeChoice::Articles
                                       : ShareTypeChoice::All);
  window.SelectRanking(store.ReadText("排行", window.RankingTag()) == "2" ? RankingChoice::Newest
                                                                          : RankingChoice::Hottest);
  LoadIndex(controls, store, "类目", 组合框类目);
  LoadText(controls, store, "评论数", 编辑框评论数);
  LoadText(controls, store, "分隔符", 编辑框分隔符);
  LoadText(controls, store, "内容模板", 编辑框内容模板);
  LoadText(controls, store, "标题模板", 编辑框标题模板);
  for (ControlId box :
       {选择框插入标题, 选择框随机互换位置, 选择框独立目录保存, 选择框自动下载图片到本地})
    store.LoadCheckBox(controls[box]);
  LoadText(controls, store, "搜索词", 编辑框搜索词);
  LoadText(controls, store, "保存目录", 编辑框保存目录);
  LoadText(controls, store, "图片目录名", 编辑框图片目录名);
  LoadText(controls, store, "文件扩展名", 编辑框扩展名);
  LoadText(controls, store, "条数", 编辑框保存条数);
  LoadIndex(controls, store, "标题位置", 组合框标题位置);
  controls.SetText(编辑框词1,
                   ReadWordFile(window.ProgramDirectory() + kWords1File, controls.Text(编辑框词1)));
  controls.SetText(编辑框词2,
                   ReadWordFile(window.ProgramDirectory() + kWords2File, controls.Text(编辑框词2)));
  LoadText(controls, store, "采集条数", 编辑框采集条数);
  if (controls.Selection(组合框类目) == -1) controls.Select(组合框类目, 0);
  window.ApplyInsertTitleRule();
  window.ApplyPictureDownloadRule();
  store.LoadCheckBox(controls[选择框转换淘宝客链接]);
  window.ApplyAffiliateRule();
  LoadText(controls, store, "钥匙", 编辑框钥匙);
  LoadText(controls, store, "密码", 编辑框密码);
  LoadText(controls, store, "pid", 编辑框pid);
  LoadIndex(controls, store, "短网址选项", 组合框短网址选项);
  LoadInterfaceSettings(window, store);
}

std::vector<std::string> SaveSettings(const MainWindow& window, SettingsStore& store) {
  const ControlSet& controls = window.Controls();
  store.SetSection(kSection);
  SaveLog log(store);
  log.Note(store.WriteText("分类", window.ShareTypeTag()), store.File());
  log.Note(store.WriteText("排行", window.RankingTag()), store.File());
  log.Index("类目", controls, 组合框类目);
  log.Text("评论数", controls, 编辑框评论数);
  log.Text("分隔符", controls, 编辑框分隔符);
  log.Text("内容模板", controls, 编辑框内容模板);
  log.Text("标题模板", controls, 编辑框标题模板);
  for (ControlId box :
       {选择框插入标题, 选择框随机互换位置, 选择框独立目录保存, 选择框自动下载图片到本地})
    log.CheckBox(controls, box);
  log.Text("搜索词", controls, 编辑框搜索词);
  log.Text("保存目录", controls, 编辑框保存目录);
  log.Text("图片目录名", controls, 编辑框图片目录名);
  log.Text("文件扩展名", controls, 编辑框扩展名);
  log.Text("条数", controls, 编辑框保存条数);
  log.Index("标题位置", controls, 组合框标题位置);
  log.Text("采集条数", controls, 编辑框采集条数);
  for (auto [file, box] : {std::pair{kWords1File, 编辑框词1}, {kWords2File, 编辑框词2}}) {
    const std::string path = window.ProgramDirectory() + file;
    log.Note(WriteWordFile(path, controls.Text(box)), path);
  }
  log.CheckBox(controls, 选择框转换淘宝客链接);
  log.Text("钥匙", controls, 编辑框钥匙);
  log.Text("密码", controls, 编辑框密码);
  log.Text("pid", controls, 编辑框pid);
  log.Index("短网址选项", controls, 组合框短网址选项);
  SaveInterface(controls, log);
  return log.Failed();
}

bool HasInterfaceSettings(const SettingsStore& store) {
  for (const char* key :
       {"URL编码", "调用模式", "接口地址", "POST数据", "左边字符", "右边字符",
        "从返回数据的尾部定位左边和右边字符", "替换返回结果：", "欲替换", "替换为"})
    if (store.Has(key)) return true;
  return false;
}

void LoadInterfaceSettings(const MainWindow& window, const SettingsStore& store) {
  const ControlSet& controls = window.Controls();
  LoadIndex(controls, store, "URL编码", 组合框URL编码);
  LoadIndex(controls, store, "调用模式", 组合框调用模式);
  LoadText(controls, store, "接口地址", 编辑框接口地址);
  LoadText(controls, store, "POST数据", 编辑框POST数据);
  LoadText(controls, store, "左边字符", 编辑框左边字符);
  LoadText(controls, store, "右边字符", 编辑框右边字符);
  store.LoadCheckBox(controls[选择框逆向]);
  store.LoadCheckBox(controls[选择框替换]);
  LoadText(controls, store, "欲替换", 编辑框欲替换);
  LoadText(controls, store, "替换为", 编辑框替换为);
  window.ApplyCallModeRule();
  window.ApplyReplaceRule();
}

bool SaveInterfaceSettings(const MainWindow& window, const SettingsStore& store) {
  SaveLog log(store);
  SaveInterface(window.Controls(), log);
  return log.Failed().empty();
}

}  // namespace pelrine
