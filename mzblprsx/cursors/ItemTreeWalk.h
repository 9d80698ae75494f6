// The depth-first, pre-order walk over a model's item lists that the dialog and print cursors
// fill from: every item of a list in list order, each followed by its children, whether it was
// kept or not.
//
//   ItemTreeWalk::Run(*this, "P_SearchItems", model_->Items(),
//                     [&](const Ref<RgProjectItem>& item) { if (Keep(item)) kept.push_back(item);
//                     });
//
// An explicit stack instead of recursion: a tree of any depth is walked without growing the
// call stack. Each step runs under the owner's common error path: a failure in one list is
// reported and ends that list only; the walk goes on with the next sibling of its parent, and
// what was visited stays visited.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"

namespace mzblprsx {

class ItemTreeWalk {
 public:
  template <class Visit>
  static void Run(const platform::Object& owner, std::string_view procedure,
                  const Ref<RgProjectItems>& items, Visit&& visit) {
    struct Level {
      Ref<RgProjectItems> items;
      int32_t next = 1;
      int32_t count = 0;
    };
    std::vector<Level> stack;
    const auto enter = [&](Ref<RgProjectItems> list) {
      const int32_t count = list->Count();
      stack.push_back(Level{std::move(list), 1, count});
    };
    Guard(owner, procedure, [&] { enter(items); });
    while (!stack.empty()) {
      bool finished = true;  // the top list is done, or failed and is left like a finished one
      Guard(owner, procedure, [&] {
        Level& level = stack.back();
        if (level.next > level.count) return;
        const Ref<RgProjectItem> item = level.items->Item(level.next++);
        visit(item);
        enter(item->Items());
        finished = false;
      });
      if (finished) stack.pop_back();
    }
  }
};

}  // namespace mzblprsx
