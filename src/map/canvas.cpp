#include "map/canvas.h"

#include <atomic>

namespace trevanor {

std::uint64_t next_picture_number() {
    static std::atomic<std::uint64_t> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

}  // namespace trevanor
