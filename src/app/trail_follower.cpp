#include "app/trail_follower.h"

#include <exception>
#include <memory>

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

void TrailFollower::start(Session open, std::string openLabel, std::vector<KeptTurn> earlier,
                          std::function<void()> done) {
    // The copy moves into the work, which outlives this call.
    auto work = [open = std::make_shared<Session>(std::move(open)), openLabel = std::move(openLabel),
                 earlier = std::move(earlier)] {
        Result result;
        Noted noted(result.warnings);
        try {
            result.trails = std::make_unique<FleetTrails>(FleetTrails::build(*open, openLabel, earlier, noted));
        } catch (const std::exception& e) {
            result.warnings.push_back(e.what());
        }
        return result;
    };
    following_.start(std::move(work), std::move(done));
}

}  // namespace trevanor
