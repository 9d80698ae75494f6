#include "platform/CachedQuery.h"

namespace platform {

namespace detail {
std::atomic<uint64_t> queryGeneration{0};
}  // namespace detail

void ForgetQueryAnswers() {
  detail::queryGeneration.fetch_add(1, std::memory_order_acq_rel);
}

}  // namespace platform
