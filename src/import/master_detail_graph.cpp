// Finding the master/detail links that close cycles.
#include "import/master_detail_graph.h"

#include <cstdint>

namespace tavik::import {

namespace {

enum class Mark : std::uint8_t { kUnseen, kOnPath, kDone };

// A table on the walk's path and the next of its links to follow.
struct PathStep {
  std::size_t table;
  std::size_t next = 0;
};

}  // namespace

std::vector<MasterDetailGraph::ClosingLink> MasterDetailGraph::CycleClosingLinks(
    std::size_t table_count, const std::vector<Link>& links) {
  std::vector<std::vector<std::size_t>> details_of(table_count);
  for (std::size_t i = 0; i < links.size(); ++i) details_of[links[i].master].push_back(i);

  std::vector<ClosingLink> closing;
  std::vector<Mark> marks(table_count, Mark::kUnseen);
  std::vector<std::size_t> place_on_path(table_count, 0);
  std::vector<PathStep> path;
  for (std::size_t root = 0; root < table_count; ++root) {
    if (marks[root] != Mark::kUnseen) continue;
    marks[root] = Mark::kOnPath;
    path.push_back({root});
    place_on_path[root] = 0;
    while (!path.empty()) {
      PathStep& step = path.back();
      if (step.next == details_of[step.table].size()) {
        marks[step.table] = Mark::kDone;
        path.pop_back();
        continue;
      }
      const std::size_t link = details_of[step.table][step.next++];
      const std::size_t detail = links[link].detail;
      if (marks[detail] == Mark::kUnseen) {
        marks[detail] = Mark::kOnPath;
        place_on_path[detail] = path.size();
        path.push_back({detail});
      } else if (marks[detail] == Mark::kOnPath) {
        ClosingLink closed{link, {}};
        for (std::size_t i = place_on_path[detail]; i < path.size(); ++i) {
          closed.cycle.push_back(path[i].table);
        }
        closing.push_back(std::move(closed));
      }
    }
  }
  return closing;
}

}  // namespace tavik::import
