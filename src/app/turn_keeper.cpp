#include "app/turn_keeper.h"

#include <exception>

namespace trevanor {

void TurnKeeper::start(std::function<bool()> keep, std::function<void()> done) {
    keeping_.start(
        [keep = std::move(keep)] {
            Result result;
            try {
                result.kept = keep();
            } catch (const std::exception& e) {
                result.error = e.what();
            }
            return result;
        },
        std::move(done));
}

}  // namespace trevanor
