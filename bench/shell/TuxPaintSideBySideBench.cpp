// The program beside Tux Paint, the painting program a parent would pick instead, where a child
// waits: the first drawn frame after launch, a pointer move while painting until its pixels are
// on the screen, the share of a core the painting screen takes while nobody touches it, and the
// peak resident memory. Both run in one private X server, on the same cores (TUMBLO_BENCH_CORES,
// "1,2,3" unless set; this measuring process keeps to the others), in alternating rounds
// (TUMBLO_BENCH_ROUNDS, five unless set); the medians and ours/Tux Paint are reported. The peer
// is TUMBLO_BENCH_PEER or tuxpaint on the PATH; without it or without Xvfb the run is skipped.
// TUMBLO_BENCH_OURS names another program folder of ours (an earlier build, to compare).
// The machine is shared: only the ratios mean anything.
#include <benchmark/benchmark.h>
#include <sched.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/shell/PaintingOnX.h"
#include "tests/journeys/JourneyProgram.h"
#include "tests/xserver/XSession.h"
#include "tests/xserver/XvfbServer.h"

namespace {

namespace fs = std::filesystem;
using namespace painting_on_x;
using Box = XSession::Box;

struct Figures {
    double firstFrameMs = 0, pointerMs = 0, idleCpuPercent = 0, peakRssMb = 0;
};

// How a program is started and brought to its painting screen.
struct Contender {
    const char* name;
    std::string programDir, executable;
    std::vector<std::string> arguments;
    bool (*toPainting)(XSession&, const Box&);
};

bool pinTo(const std::vector<int>& cores) {
    cpu_set_t set;
    CPU_ZERO(&set);
    for (int core : cores) CPU_SET(core, &set);
    return sched_setaffinity(0, sizeof set, &set) == 0;
}

std::vector<int> coresFrom(const char* text) {
    std::vector<int> cores;
    std::stringstream list(text);
    for (std::string part; std::getline(list, part, ',');)
        if (!part.empty()) cores.push_back(std::stoi(part));
    return cores;
}

// Tux Paint opens on its painting screen.
bool peerToPainting(XSession& x, const Box& window) { return settle(x, window); }

// The CPU time all the process's threads have had, in seconds.
double cpuSeconds(pid_t pid) {
    double total = 0;
    std::error_code error;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream stat(task.path() / "schedstat");
        double ns = 0;
        if (stat >> ns) total += ns * 1e-9;
    }
    return total;
}

double peakRssMb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// One launch: from the fork until the window shows a picture, then to the painting screen, a
// stroke, ten idle seconds, and the memory's high-water mark.
bool measure(const Contender& who, const std::string& display, const std::vector<int>& programCores,
             const std::vector<int>& ownCores, Figures* figures, std::string* failure) {
    char pattern[] = "/tmp/tumblo-peer-XXXXXX";
    const std::string home = ::mkdtemp(pattern);
    fs::create_directories(home + "/run");
    fs::permissions(home + "/run", fs::perms::owner_all);
    XSession x(display);
    bool ok = false;
    {
        pinTo(programCores);
        const auto start = Clock::now();
        JourneyProgram program({.programDir = who.programDir, .home = home, .display = display,
                                .logFile = home + "/program.log", .arguments = who.arguments,
                                .executable = who.executable});
        pinTo(ownCores);
        Box window;
        while (figures->firstFrameMs == 0 && millisSince(start) < 30000 && program.running()) {
            window = x.windowBox(x.windowOfProcess(program.pid()));
            if (window.width > 0 && manyColours(x.capture(window))) figures->firstFrameMs = millisSince(start);
        }
        if (figures->firstFrameMs == 0)
            *failure = std::string(who.name) + " showed no picture (" + program.status() + ")";
        else if (!who.toPainting(x, window))
            *failure = std::string(who.name) + " did not reach its painting screen";
        else if ((figures->pointerMs = pointerToPixelsMs(x, window)) < 0)
            *failure = std::string(who.name) + " did not paint where the pointer went";
        else {
            settle(x, window);
            const double cpuStart = cpuSeconds(program.pid());
            const auto idleStart = Clock::now();
            pause(10000);
            figures->idleCpuPercent = 100.0 * (cpuSeconds(program.pid()) - cpuStart) / (millisSince(idleStart) / 1000);
            figures->peakRssMb = peakRssMb(program.pid());
            ok = program.running();
            if (!ok) *failure = std::string(who.name) + " ended by itself (" + program.status() + ")";
        }
        program.end(std::chrono::seconds(3));
    }
    fs::remove_all(home);
    return ok;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::string peerExecutable() {
    if (const char* peer = std::getenv("TUMBLO_BENCH_PEER")) return peer;
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/usr/games");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (fs::exists(folder + "/tuxpaint")) return folder + "/tuxpaint";
    return {};
}

void BM_BesideTuxPaint(benchmark::State& state) {
    const std::string peer = peerExecutable();
    if (peer.empty()) {
        state.SkipWithError("no tuxpaint (apt-get install tuxpaint, or set TUMBLO_BENCH_PEER)");
        return;
    }
    cpu_set_t original;
    sched_getaffinity(0, sizeof original, &original);
    const char* coreList = std::getenv("TUMBLO_BENCH_CORES");
    const std::vector<int> programCores = coresFrom(coreList ? coreList : "1,2,3");
    std::vector<int> ownCores;
    for (int core = 0; core < CPU_SETSIZE; ++core)
        if (CPU_ISSET(core, &original) && std::find(programCores.begin(), programCores.end(), core) == programCores.end())
            ownCores.push_back(core);
    const char* roundText = std::getenv("TUMBLO_BENCH_ROUNDS");
    const int rounds = roundText ? std::max(1, std::atoi(roundText)) : 5;
    if (ownCores.empty()) ownCores = programCores;
    pinTo(ownCores);
    XvfbServer server;
    if (!server.running()) {
        state.SkipWithError(server.failure().c_str());
        return;
    }
    const Contender contenders[2] = {
        {"ours", std::getenv("TUMBLO_BENCH_OURS") ? std::getenv("TUMBLO_BENCH_OURS") : TUMBLO_BENCH_PROGRAM_DIR,
         "tumblo4", {}, logInToEasel},
        {"Tux Paint", fs::path(peer).parent_path().string(), fs::path(peer).filename().string(),
         {"--windowed", "--800x600", "--nosound"}, peerToPainting},
    };
    std::vector<Figures> runs[2];
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round)
            for (int turn = 0; turn < 2; ++turn) {
                const int who = (round + turn) % 2;
                Figures figures;
                std::string failure;
                if (!measure(contenders[who], server.display(), programCores, ownCores, &figures, &failure)) {
                    state.SkipWithError(failure.c_str());
                    return;
                }
                runs[who].push_back(figures);
                std::printf("round %d %-9s first frame %7.1f ms  pointer %6.2f ms  idle %5.2f %%  peak RSS %6.1f MB\n",
                            round + 1, contenders[who].name, figures.firstFrameMs, figures.pointerMs,
                            figures.idleCpuPercent, figures.peakRssMb);
                std::fflush(stdout);
            }
    }
    struct Row {
        const char* label;
        double Figures::* field;
    };
    const Row rows[] = {{"first_frame_ms", &Figures::firstFrameMs},
                        {"pointer_to_pixels_ms", &Figures::pointerMs},
                        {"idle_cpu_percent", &Figures::idleCpuPercent},
                        {"peak_rss_mb", &Figures::peakRssMb}};
    for (const Row& row : rows) {
        std::vector<double> values[2];
        for (int who = 0; who < 2; ++who)
            for (const Figures& figures : runs[who]) values[who].push_back(figures.*row.field);
        const double ours = median(values[0]), tux = median(values[1]);
        state.counters[std::string("ours_") + row.label] = ours;
        state.counters[std::string("tux_") + row.label] = tux;
        state.counters[std::string("ratio_") + row.label] = ours / std::max(tux, 1e-3);
    }
    sched_setaffinity(0, sizeof original, &original);
}
BENCHMARK(BM_BesideTuxPaint)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
