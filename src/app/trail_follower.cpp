#include "app/trail_follower.h"

#include <chrono>
#include <exception>

#include "model/prompter.h"

namespace trevanor {

namespace {
// What the following would say, kept to be said later.
struct Noted : Prompter {
    std::vector<std::string>& said;
    explicit Noted(std::vector<std::string>& out) : said(out) {}
    void message(const std::string& text) override { said.push_back(text); }
    void error(const std::string& text) override { said.push_back(text); }
    void warning(const std::string& text) override { said.push_back(text); }
    Answer confirm(const std::string&, bool) override { return Answer::No; }
};
}  // namespace

TrailFollower::~TrailFollower() { finish(); }

void TrailFollower::start(Session open, std::string openLabel, std::vector<KeptTurn> earlier,
                          std::function<void()> done) {
    finish();
    running_ = std::async(std::launch::async, [open = std::move(open), openLabel = std::move(openLabel),
                                               earlier = std::move(earlier), done = std::move(done)] {
        Result result;
        Noted noted(result.warnings);
        try {
            result.trails = std::make_unique<FleetTrails>(FleetTrails::build(open, openLabel, earlier, noted));
        } catch (const std::exception& e) {
            result.warnings.push_back(e.what());
        }
        if (done) done();
        return result;
    });
}

bool TrailFollower::running() const {
    return running_.valid() && running_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

std::optional<TrailFollower::Result> TrailFollower::finish() {
    if (!running_.valid()) return std::nullopt;
    return running_.get();
}

}  // namespace trevanor
