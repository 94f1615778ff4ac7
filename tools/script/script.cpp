#include "script.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "platform/keys.h"

namespace {

struct VerbRule {
    const char* verb;
    size_t minArgs, maxArgs;
};
constexpr VerbRule kVerbs[] = {
    {"down", 1, 1}, {"up", 1, 1}, {"tap", 1, 1}, {"shot", 1, 1}, {"state", 1, 1},
    {"round", 2, 5}, {"results", 1, 4}, {"message", 1, 1}, {"device", 1, 1},
};

}  // namespace

bool ParseScript(const std::string& text, std::vector<ScriptEvent>* events, std::string* error) {
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string frameText;
        if (!(words >> frameText)) continue;
        auto fail = [&](const std::string& why) {
            *error = "line " + std::to_string(lineNo) + ": " + why;
            return false;
        };
        char* end = nullptr;
        const long frame = std::strtol(frameText.c_str(), &end, 10);
        if (*end != '\0' || frame < 1 || frame > 100000000) return fail("frame must be a number from 1");
        ScriptEvent ev;
        ev.frame = int(frame);
        ev.line = lineNo;
        if (!(words >> ev.verb)) return fail("missing verb");
        for (std::string w; words >> w;) ev.args.push_back(w);
        const auto rule = std::find_if(std::begin(kVerbs), std::end(kVerbs),
                                       [&](const VerbRule& r) { return ev.verb == r.verb; });
        if (rule == std::end(kVerbs)) return fail("unknown verb '" + ev.verb + "'");
        if (ev.args.size() < rule->minArgs || ev.args.size() > rule->maxArgs)
            return fail("wrong number of arguments for '" + ev.verb + "'");
        if ((ev.verb == "down" || ev.verb == "up" || ev.verb == "tap") &&
            plat::KeyFromName(ev.args[0].c_str()) == 0)
            return fail("unknown key '" + ev.args[0] + "'");
        events->push_back(ev);
    }
    std::stable_sort(events->begin(), events->end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    return true;
}
