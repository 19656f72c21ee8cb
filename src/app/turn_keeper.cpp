#include "app/turn_keeper.h"

#include <chrono>
#include <exception>

namespace trevanor {

TurnKeeper::~TurnKeeper() { finish(); }

void TurnKeeper::start(std::function<bool()> keep, std::function<void()> done) {
    finish();
    running_ = std::async(std::launch::async, [keep = std::move(keep), done = std::move(done)] {
        Result result;
        try {
            result.kept = keep();
        } catch (const std::exception& e) {
            result.error = e.what();
        }
        if (done) done();
        return result;
    });
}

bool TurnKeeper::running() const {
    return running_.valid() && running_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

std::optional<TurnKeeper::Result> TurnKeeper::finish() {
    if (!running_.valid()) return std::nullopt;
    return running_.get();
}

}  // namespace trevanor
