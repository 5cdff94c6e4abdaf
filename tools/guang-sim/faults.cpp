#include "faults.h"

#include <charconv>

namespace guang_sim {
namespace {

// A whole non-negative number, or -1.
long Count(std::string_view text) {
  long value = -1;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= 0 ? value : -1;
}

}  // namespace

bool Faults::Add(std::string_view switch_text, std::string& error) {
  const size_t equals = switch_text.rfind('=');
  if (equals == std::string_view::npos || equals == 0) {
    error = "a fault is PATH=ITEM[,ITEM...]: " + std::string(switch_text);
    return false;
  }
  Rule rule;
  rule.path = switch_text.substr(0, equals);
  if (rule.path.back() == '*') {
    rule.path.pop_back();
    rule.prefix = true;
  }
  std::string_view items = switch_text.substr(equals + 1);
  while (!items.empty()) {
    const size_t comma = items.find(',');
    const std::string_view item = items.substr(0, comma);
    items = comma == std::string_view::npos ? std::string_view() : items.substr(comma + 1);
    const size_t colon = item.find(':');
    const std::string_view name = item.substr(0, colon);
    const bool has_value = colon != std::string_view::npos;
    const long value = has_value ? Count(item.substr(colon + 1)) : -1;
    if (has_value && value < 0) {
      error = "not a number in fault item: " + std::string(item);
      return false;
    }
    const bool needs_value =
        name == "latency" || name == "jitter" || name == "first" || name == "every";
    const bool takes_value = needs_value || name == "timeout" || name == "bigheader";
    if ((needs_value && !has_value) || (has_value && !takes_value)) {
      error = "fault item with a wrong value: " + std::string(item);
      return false;
    }
    if (name == "latency")
      rule.latency_ms = static_cast<int>(value);
    else if (name == "jitter")
      rule.jitter_ms = static_cast<int>(value);
    else if (name == "first")
      rule.first = value;
    else if (name == "every")
      rule.every = value;
    else if (name == "bigheader")
      rule.header_bytes = has_value ? static_cast<size_t>(value) : 65536;
    else if (name == "timeout") {
      rule.action = FaultAction::kTimeout;
      if (has_value) rule.hold_ms = static_cast<int>(value);
    } else if (name == "reset")
      rule.action = FaultAction::kReset;
    else if (name == "truncate")
      rule.action = FaultAction::kTruncate;
    else if (name == "error500")
      rule.action = FaultAction::kError500;
    else {
      error = "unknown fault item: " + std::string(item);
      return false;
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  rules_.push_back(rule);
  return true;
}

FaultPlan Faults::PlanFor(std::string_view path) {
  std::lock_guard<std::mutex> lock(mutex_);
  FaultPlan plan;
  for (Rule& rule : rules_) {
    if (rule.prefix ? !path.starts_with(rule.path) : path != rule.path) continue;
    const long n = ++rule.seen;
    if ((rule.first > 0 && n > rule.first) || (rule.every > 0 && n % rule.every != 0)) continue;
    plan.delay_ms += rule.latency_ms;
    if (rule.jitter_ms > 0) plan.delay_ms += static_cast<int>(random_() % (rule.jitter_ms + 1));
    plan.header_bytes += rule.header_bytes;
    if (plan.action == FaultAction::kNone) {
      plan.action = rule.action;
      plan.hold_ms = rule.hold_ms;
    }
  }
  return plan;
}

}  // namespace guang_sim
