#pragma once
// One piece of work at a time on a thread of its own, beside the windows:
// starting returns at once; `done` runs on that thread when the work ends
// (to tell the windows' thread); the result is taken once, waiting for the
// work if it still runs. A new start finishes the work under way first and
// lets its result go; so does the end of the owner.

#include <chrono>
#include <functional>
#include <future>
#include <optional>

namespace trevanor {

template <class Result>
class BesideTheWindows {
public:
    BesideTheWindows() = default;
    BesideTheWindows(const BesideTheWindows&) = delete;
    BesideTheWindows& operator=(const BesideTheWindows&) = delete;
    ~BesideTheWindows() { finish(); }

    void start(std::function<Result()> work, std::function<void()> done) {
        finish();
        running_ = std::async(std::launch::async, [work = std::move(work), done = std::move(done)] {
            Result result = work();
            if (done) done();
            return result;
        });
    }
    bool running() const {
        return running_.valid() && running_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
    }
    std::optional<Result> finish() {
        if (!running_.valid()) return std::nullopt;
        return running_.get();
    }

private:
    std::future<Result> running_;
};

}  // namespace trevanor
