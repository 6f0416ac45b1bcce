// nexmar-cli's process: the signal handling, and the process-wide state it
// needs, live here rather than in the library that tests run in-process.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace {

// Each signal that ends a run, and what the run says then: before its files
// are named none is replaced; after, every one was, and only what followed on
// standard output may be missing.
struct Stop {
    int signal;
    const char* before;
    const char* after;
};

#define NEXMAR_STOP(signal, why)                                                                              \
    Stop                                                                                                      \
    {                                                                                                         \
        signal, "nexmar-cli: " why " before the run completed; no file was replaced\n",                       \
            "nexmar-cli: " why " after every file was written; what followed on standard output is cut short\n" \
    }
constexpr Stop kStops[] = {
    NEXMAR_STOP(SIGINT, "interrupted (SIGINT)"),
    NEXMAR_STOP(SIGTERM, "terminated (SIGTERM)"),
    NEXMAR_STOP(SIGHUP, "hung up (SIGHUP)"),
    NEXMAR_STOP(SIGPIPE, "stopped by SIGPIPE (a pipe it wrote to was closed)"),
    NEXMAR_STOP(SIGXFSZ, "stopped by SIGXFSZ (a file reached the size limit)"),
};
#undef NEXMAR_STOP

// The temporary names the outputs stand under, changed only while every
// signal is held back (see OutputWatch), so the handler reads them whole.
std::vector<std::string> g_temporaries;
volatile sig_atomic_t g_committed = 0;

class SignalWatch final : public nexmar::OutputWatch {
public:
    void TemporaryNamed(const std::string& path) override { g_temporaries.push_back(path); }
    // A name gone is emptied where it stands rather than erased: with ten
    // thousand pictures, erasing each from the front would move all the rest
    // every time. The names go in the order they came, so the emptied ones
    // are dropped together when the last one goes.
    void TemporaryGone(const std::string& path) override
    {
        const auto found = std::find(g_temporaries.begin(), g_temporaries.end(), path);
        if (found != g_temporaries.end()) {
            found->clear();
        }
        while (!g_temporaries.empty() && g_temporaries.back().empty()) {
            g_temporaries.pop_back();
        }
    }
    void Committed() override { g_committed = 1; }
};

// Only async-signal-safe calls: unlink, write, _exit.
extern "C" void EndRun(int signal)
{
    if (g_committed == 0) {
        for (const std::string& temporary : g_temporaries) {
            if (!temporary.empty()) {
                ::unlink(temporary.c_str());
            }
        }
    }
    for (const Stop& stop : kStops) {
        if (stop.signal == signal) {
            const char* message = g_committed != 0 ? stop.after : stop.before;
            std::size_t length = 0;
            while (message[length] != '\0') {
                ++length;
            }
            [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, message, length);
        }
    }
    ::_exit(nexmar::kExitReportsFailed);
}

// A signal the process was started with ignored (nohup, a background job)
// stays ignored: a write that fails then is reported like any other.
void CatchStops()
{
    struct sigaction action {};
    action.sa_handler = EndRun;
    ::sigfillset(&action.sa_mask);
    for (const Stop& stop : kStops) {
        struct sigaction inherited {};
        if (::sigaction(stop.signal, nullptr, &inherited) == 0 && inherited.sa_handler != SIG_IGN) {
            ::sigaction(stop.signal, &action, nullptr);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    nexmar::HoldClosedStandardStreams();
    g_temporaries.reserve(16);
    CatchStops();
    SignalWatch watch;
    return nexmar::RunCli(std::vector<std::string>(argv, argv + argc), stdout, stderr, {&watch});
}
