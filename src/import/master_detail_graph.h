// The master/detail links between tables, and the ones to leave out so that none is circular.
#pragma once

#include <cstddef>
#include <vector>

namespace tavik::import {

class MasterDetailGraph {
 public:
  struct Link {
    std::size_t master;  // table positions
    std::size_t detail;
  };
  // A link that closes a cycle: its position among the links, and the tables of the cycle
  // from its detail round to its master.
  struct ClosingLink {
    std::size_t link;
    std::vector<std::size_t> cycle;
  };

  // The links to leave out: a depth-first walk from the tables in order, along each table's
  // links in order, leaves out every link back to a table still being walked. What stays
  // has no cycle, and the same schema always loses the same links. Linear in tables and
  // links.
  static std::vector<ClosingLink> CycleClosingLinks(std::size_t table_count,
                                                    const std::vector<Link>& links);
};

}  // namespace tavik::import
