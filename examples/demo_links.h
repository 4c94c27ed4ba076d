#pragma once

// The demo's rule for the links a user draws: a link that would close a
// loop of links is refused, since the rules would push the loop's items
// later round the loop, and the plan behind it with them, until their bound
// stops them; the window tells the user why.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

#include "vorlent/controllers/content_editor.h"
#include "vorlent/model/item_manager.h"

namespace vorlent::examples {

// Whether `from` already leads to `to` along links: `forEachSuccessor(node,
// visit)` calls `visit` with every node a link from `node` reaches. Breadth
// first, each node visited once, so the cost is linear in the links.
template <class Node, class ForEachSuccessor>
[[nodiscard]] bool leadsTo(const Node* from, const Node* to,
                           const ForEachSuccessor& forEachSuccessor) {
  if (from == nullptr || to == nullptr) return false;
  std::unordered_set<const Node*> seen{from};
  std::deque<const Node*> waiting{from};
  while (!waiting.empty()) {
    const Node* node = waiting.front();
    waiting.pop_front();
    if (node == to) return true;
    forEachSuccessor(node, [&](const Node* next) {
      if (next != nullptr && seen.insert(next).second) waiting.push_back(next);
    });
  }
  return false;
}

// Whether `from` already leads to `to` along the manager's available
// dependencies, of any type.
[[nodiscard]] bool leadsTo(GanttChartItemManager& manager, const GanttChartItemPtr& from,
                           const GanttChartItemPtr& to);

// Whether a chart already leads from one item to another.
using DemoLinkPaths = std::function<bool(const GanttChartItemPtr& from, const GanttChartItemPtr& to)>;

// The editor of a demo window's chart area: it refuses a link from A to B
// when B already leads to A, and tells the user why through `tell`; it
// allows every other change. It offers no editing of items or links, which
// the demo has no dialog for.
[[nodiscard]] std::shared_ptr<GanttChartContentEditor> makeDemoLinkEditor(
    DemoLinkPaths leadsTo, std::function<void(const std::string&)> tell);

}  // namespace vorlent::examples
