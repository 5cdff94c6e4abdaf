#include "gateway.h"

#include <algorithm>
#include <cstdio>

#include "rng.h"

namespace guang_sim {
namespace {

constexpr char kXml[] = "text/xml;charset=UTF-8";
constexpr char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>";
constexpr std::string_view kMethod = "taobao.taobaoke.items.get";

Answer ErrorDocument(int code, const std::string& message) {
  return {200, kXml,
          kXmlHead + std::string("<error_response><code>") + std::to_string(code) + "</code><msg>" +
              message + "</msg></error_response>",
          ""};
}

bool AllOf(std::string_view text, std::string_view allowed) {
  return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
}

// year-month-day hour:minute:second, every field in digits.
bool IsTimestamp(std::string_view text) {
  constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd";
  if (text.size() != kShape.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (kShape[i] == 'd' ? !(text[i] >= '0' && text[i] <= '9') : text[i] != kShape[i]) return false;
  return true;
}

// Digits, or the "mm_" form of digits and underscores.
bool IsPid(std::string_view pid) {
  constexpr std::string_view kDigits = "0123456789";
  if (pid.substr(0, 3) == "mm_") return AllOf(pid.substr(3), "0123456789_");
  return AllOf(pid, kDigits);
}

std::string ItemCode(uint64_t seed, std::string_view keyword) {
  char code[13];
  std::snprintf(code, sizeof code, "%012llx",
                static_cast<unsigned long long>(Mix(seed, std::string("item:").append(keyword)) &
                                                0xFFFFFFFFFFFFULL));
  return code;
}

std::string ItemNumber(const std::string& code) {
  return std::to_string(10000000000ULL + std::stoull(code, nullptr, 16) % 9000000000ULL);
}

// One field of a found item; values carry escaped markup and "&amp;" as the
// platform sends them.
std::string ItemField(std::string_view field, const std::string& code, std::string_view keyword,
                      const std::string& pid, const std::string& host) {
  std::string value;
  if (field == "click_url")
    value = "http://" + host + "/click?e=" + code + "&lt;wbr&gt;&amp;pid=" + pid +
            "&lt;wbr&gt;&amp;unid=0";
  else if (field == "title")
    value =
        "&lt;span class=H&gt;" + MarkupEscape(keyword) + "&lt;/span&gt;" + GbkToUtf8(" 新款热卖");
  else if (field == "nick")
    value = GbkToUtf8("逛逛小店");
  else if (field == "num_iid")
    value = ItemNumber(code);
  else if (field == "price")
    value = std::to_string(10 + std::stoull(code, nullptr, 16) % 400) + ".00";
  else
    return "";
  return "<" + std::string(field) + ">" + value + "</" + std::string(field) + ">";
}

}  // namespace

std::string SignatureOf(const Params& params, std::string_view secret) {
  Params signed_pairs;
  for (const Param& p : params)
    if (p.name != "sign" && !p.name.empty() && !p.value.empty()) signed_pairs.push_back(p);
  std::stable_sort(signed_pairs.begin(), signed_pairs.end(),
                   [](const Param& a, const Param& b) { return a.name < b.name; });
  std::string text(secret);
  for (const Param& p : signed_pairs) text += p.name + p.value;
  text += secret;
  return Md5Hex(text);
}

Answer Gateway::Rest(const SimRequest& request) const {
  Params params = request.query;
  params.insert(params.end(), request.form.begin(), request.form.end());
  auto value = [&](std::string_view name) { return ParamValue(params, name); };

  static const struct {
    const char* name;
    int code;
    const char* message;
  } kSystem[] = {{"method", 21, "Missing Method"},
                 {"app_key", 28, "Missing App Key"},
                 {"timestamp", 26, "Missing Timestamp"},
                 {"sign", 24, "Missing Signature"},
                 {"v", 30, "Missing Version"},
                 {"format", 32, "Missing Format"},
                 {"sign_method", 33, "Missing Sign Method"}};
  for (const auto& system : kSystem)
    if (value(system.name).empty()) return ErrorDocument(system.code, system.message);
  if (value("app_key") != app_key_) return ErrorDocument(29, "Invalid App Key");
  if (!IsTimestamp(value("timestamp"))) return ErrorDocument(27, "Invalid Timestamp");
  if (value("v") != "2.0") return ErrorDocument(31, "Unsupported Version");
  if (value("format") != "xml") return ErrorDocument(23, "Invalid Format");
  if (value("sign_method") != "md5") return ErrorDocument(34, "Invalid Sign Method");
  if (value("method") != kMethod) return ErrorDocument(22, "Invalid Method");
  if (value("sign") != SignatureOf(params, app_secret_))
    return ErrorDocument(25, "Invalid Signature");
  for (const char* name : {"fields", "pid", "keyword"})
    if (value(name).empty())
      return ErrorDocument(40, std::string("Missing Required Arguments:") + name);
  const std::string pid = value("pid"), keyword = value("keyword");
  if (!IsPid(pid)) return ErrorDocument(41, "Invalid Arguments:pid");

  Rng rng(Mix(seed_, "keyword:" + keyword));
  if (!rng.Chance(60))
    return {200, kXml,
            kXmlHead + std::string("<taobaoke_items_get_response><total_results>0</total_results>"
                                   "</taobaoke_items_get_response>"),
            ""};
  const std::string code = ItemCode(seed_, keyword);
  std::string fields, list = value("fields");
  for (size_t start = 0; start <= list.size();) {
    size_t end = std::min(list.find(',', start), list.size());
    fields += ItemField(std::string_view(list).substr(start, end - start), code, keyword, pid,
                        request.host);
    start = end + 1;
  }
  return {200, kXml,
          kXmlHead +
              std::string("<taobaoke_items_get_response><taobaoke_items list=\"true\">"
                          "<taobaoke_item>") +
              fields + "</taobaoke_item></taobaoke_items><total_results>" +
              std::to_string(1 + rng.Below(500)) + "</total_results></taobaoke_items_get_response>",
          ""};
}

Answer Gateway::Click(const SimRequest& request) const {
  for (const Param& p : request.query)
    if (p.name != "e" && p.name != "pid" && p.name != "unid") return ErrorPage(400, "Bad Request");
  const std::string code = ParamValue(request.query, "e"), pid = ParamValue(request.query, "pid");
  if (code.size() != 12 || !AllOf(code, "0123456789abcdef") || !IsPid(pid))
    return ErrorPage(400, "Bad Request");
  return {302, "text/html", "",
          "http://" + request.host + "/item.htm?id=" + ItemNumber(code) + "&pid=" + pid};
}

}  // namespace guang_sim
