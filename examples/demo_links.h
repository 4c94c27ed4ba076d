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
#include <utility>

#include "vorlent/controllers/content_editor.h"
#include "vorlent/model/item_source.h"

namespace vorlent::examples {

// Whether a change of `from`'s time reaches `to`'s: along links
// (`forEachSuccessor(node, visit)` visits every node a link from `node`
// reaches), from a summary down to what it contains, which a moved summary
// takes along (`forEachChild`), and from an item up to its summary
// (`parentOf`, null at the top), whose span follows it. Up and then down
// again is not followed: a summary widened by one child does not move the
// others. Each node is visited at most twice, moved and widened, so the cost
// is linear in the links and the items.
template <class Node, class ForEachSuccessor, class ForEachChild, class ParentOf>
[[nodiscard]] bool leadsTo(const Node* from, const Node* to,
                           const ForEachSuccessor& forEachSuccessor,
                           const ForEachChild& forEachChild, const ParentOf& parentOf) {
  if (from == nullptr || to == nullptr) return false;
  std::unordered_set<const Node*> moved{from};
  std::unordered_set<const Node*> widened;
  // Each node with whether it moved as a whole or only its span changed.
  std::deque<std::pair<const Node*, bool>> waiting{{from, true}};
  while (!waiting.empty()) {
    const auto [node, whole] = waiting.front();
    waiting.pop_front();
    if (node == to) return true;
    const auto reach = [&](const Node* next, bool nextWhole) {
      if (next != nullptr && (nextWhole ? moved : widened).insert(next).second) {
        waiting.emplace_back(next, nextWhole);
      }
    };
    if (whole) {
      forEachChild(node, [&](const Node* child) { reach(child, true); });
      reach(node, false);
    } else {
      reach(parentOf(node), false);
      forEachSuccessor(node, [&](const Node* next) { reach(next, true); });
    }
  }
  return false;
}

// Whether `from` already leads to `to` along the source's available
// dependencies, of any type, and its hierarchy, as above.
[[nodiscard]] bool leadsTo(GanttChartItemSource& source, const GanttChartItemPtr& from,
                           const GanttChartItemPtr& to);

// Whether a chart already leads from one item to another.
using DemoLinkPaths = std::function<bool(const GanttChartItemPtr& from, const GanttChartItemPtr& to)>;

// The editor of a demo window's chart area: it refuses a link from A to B
// when B already leads to A (a summary leads to what it contains and back), and tells the user why
// through `tell`; it allows every other change. It offers no editing of items or links, which the
// demo has no dialog for.
[[nodiscard]] std::shared_ptr<GanttChartContentEditor> makeDemoLinkEditor(
    DemoLinkPaths leadsTo, std::function<void(const std::string&)> tell);

}  // namespace vorlent::examples
