// pomelane-script: runs the game on the null device (or the GL device with --gl) with the
// fake clock, a seeded rand and scripted keys; writes screenshots and state dumps.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/winmain.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "platform/image_file.h"
#include "platform/keys.h"
#include "platform/rand.h"
#include "platform/window.h"
#include "results/results_step.h"
#include "round/round_start.h"
#include "round/round_state.h"
#include "script.h"
#include "state_dump.h"

namespace {

struct Options {
    std::string assets = POMELANE_ASSETS;
    unsigned seed = 1;
    long frames = -1;
    bool gl = false;
    std::string stateFile;
    std::string script;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: pomelane-script [--assets DIR] [--seed N] [--frames N] [--gl] [--state FILE.json] SCRIPT\n");
    return 2;
}

std::string Absolute(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return path;
    return std::string(cwd) + "/" + path;
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text << "\n";
    return bool(out);
}

// "h2" is a human playing character 2, "c0" a computer playing character 0.
bool StartRound(const ScriptEvent& ev) {
    const int stage = std::atoi(ev.args[0].c_str());
    int chars[4] = {}, com[4] = {};
    const int ninzu = int(ev.args.size()) - 1;
    for (int i = 0; i < ninzu; ++i) {
        const std::string& p = ev.args[i + 1];
        if (p.size() != 2 || (p[0] != 'h' && p[0] != 'c') || p[1] < '0' || p[1] > '3') return false;
        com[i] = p[0] == 'c';
        chars[i] = p[1] - '0';
    }
    return StartRoundForTest(ninzu, chars, com, stage);
}

// "results 12 9 30 7": the round ends with these strokes for players 0, 1, ... on the
// current stage (one number per player), and the score screen starts.
bool EndRound(const ScriptEvent& ev) {
    if (app.Mode != 1 || int(ev.args.size()) != game.Ninzu) return false;
    for (int i = 0; i < game.Ninzu; i++) {
        char* end = nullptr;
        const long n = std::strtol(ev.args[size_t(i)].c_str(), &end, 10);
        if (*end != '\0' || n < 0 || n > 999) return false;
        game.CharBox[i].Dasu[game.StageNo] = int(n);
    }
    ResultsStep();
    return true;
}

bool Apply(const ScriptEvent& ev) {
    const std::string& a = ev.args[0];
    if (ev.verb == "down" || ev.verb == "tap") {
        plat::SetKeyDown(plat::KeyFromName(a.c_str()), true);
    } else if (ev.verb == "up") {
        plat::SetKeyDown(plat::KeyFromName(a.c_str()), false);
    } else if (ev.verb == "round") {
        return StartRound(ev);
    } else if (ev.verb == "results") {
        return EndRound(ev);
    } else if (ev.verb == "message") {
        if (a == "inactive") plat::PostMessage(plat::WM_ACTIVATE, plat::WA_INACTIVE);
        else if (a == "restored") plat::PostMessage(plat::WM_SIZE, plat::SIZE_RESTORED);
        else if (a == "escape") plat::PostMessage(plat::WM_KEYDOWN, plat::VK_ESCAPE);
        else if (a == "close") plat::PostMessage(plat::WM_CLOSE);
        else return false;
    } else if (ev.verb == "device") {
        if (!(a == "lost" || a == "notreset") || !plat::WindowIsHeadless()) return false;
        plat::NullDeviceSimulate(reinterpret_cast<plat::NullDevice*>(app.lpD3DDevice),
                                 a == "lost" ? plat::DeviceStatus::Lost : plat::DeviceStatus::NotReset);
    }
    return true;
}

// Events that read the frame just drawn.
bool After(const ScriptEvent& ev) {
    if (ev.verb == "tap") plat::SetKeyDown(plat::KeyFromName(ev.args[0].c_str()), false);
    if (ev.verb == "state") return WriteText(ev.args[0], DumpState());
    if (ev.verb == "shot") {
        const std::vector<uint32_t> pixels = app.lpD3DDevice->ReadBackBuffer();
        if (pixels.size() != 640u * 480u) {
            std::fprintf(stderr, "pomelane-script: line %d: shot needs --gl\n", ev.line);
            return false;
        }
        return plat::SavePng(ev.args[0].c_str(), pixels.data(), 640, 480);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options opt;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (a == "--gl") opt.gl = true;
        else if (a == "--assets" && (v = value())) opt.assets = v;
        else if (a == "--seed" && (v = value())) opt.seed = unsigned(std::strtoul(v, nullptr, 10));
        else if (a == "--frames" && (v = value())) opt.frames = std::strtol(v, nullptr, 10);
        else if (a == "--state" && (v = value())) opt.stateFile = Absolute(v);
        else if (a[0] != '-' && opt.script.empty()) opt.script = a;
        else return Usage();
    }
    if (opt.script.empty()) return Usage();

    std::ifstream in(opt.script, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "pomelane-script: cannot read %s\n", opt.script.c_str());
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::vector<ScriptEvent> events;
    std::string error;
    if (!ParseScript(text.str(), &events, &error)) {
        std::fprintf(stderr, "pomelane-script: %s: %s\n", opt.script.c_str(), error.c_str());
        return 1;
    }
    if (chdir(opt.assets.c_str()) != 0) {
        std::fprintf(stderr, "pomelane-script: cannot enter %s\n", opt.assets.c_str());
        return 1;
    }

    RunOptions run;
    run.headlessWindow = !opt.gl;
    run.nullDevice = !opt.gl;
    run.nullAudio = true;
    run.scriptedInput = true;
    if (!AppStartup(run)) return 1;
    // Long runs would fill the null device's log; the driver reads state, not calls.
    if (!opt.gl) plat::NullDeviceSetLogging(reinterpret_cast<plat::NullDevice*>(app.lpD3DDevice), false);
    plat::SRand(opt.seed);

    const long lastFrame = opt.frames >= 0 ? opt.frames : (events.empty() ? 0 : events.back().frame);
    bool ok = true;
    size_t next = 0;
    for (long frame = 1; frame <= lastFrame; ++frame) {
        const size_t first = next;
        for (; next < events.size() && events[next].frame == frame; ++next) {
            if (!Apply(events[next])) {
                std::fprintf(stderr, "pomelane-script: line %d: cannot do '%s'\n", events[next].line,
                             events[next].verb.c_str());
                ok = false;
            }
        }
        const bool goOn = AppFramePass();
        for (size_t k = first; k < next; ++k) ok = After(events[k]) && ok;
        plat::AdvanceFakeClock(16);
        if (!goOn) break;
    }
    if (!opt.stateFile.empty()) ok = WriteText(opt.stateFile, DumpState()) && ok;
    AppShutdown();
    return ok ? 0 : 1;
}
