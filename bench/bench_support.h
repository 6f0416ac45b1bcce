#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/generation_run.h"

namespace nexmar::bench {

// Report files on a memory file system where there is one, so the figures
// measure the program rather than the disk.
class BenchDir {
public:
    BenchDir()
    {
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / "nexmar-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        path_ = pattern;
    }
    ~BenchDir() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

class SilentNotifier final : public Notifier {
public:
    void Notify(const std::string&) override {}
};

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Times whole generation runs of one level into an in-memory tree and the
// report files.
inline void TimeRuns(benchmark::State& state, DetailLevel level, int systems, bool census)
{
    BenchDir dir;
    SeededDice dice(2026);
    ResultTree tree;
    ReportFiles reports(dir.path());
    SilentNotifier notifier;
    for (auto _ : state) {
        RunGeneration({systems, level, census}, dice, tree, reports, notifier);
        benchmark::DoNotOptimize(tree.size());
    }
    state.counters["items"] = static_cast<double>(tree.size());
}

// The floor for the same run: only writing the bytes its reports hold.
inline void TimeReportBytes(benchmark::State& state, DetailLevel level, int systems, bool census)
{
    BenchDir dir;
    std::string html, text;
    {
        SeededDice dice(2026);
        ResultTree tree;
        ReportFiles reports(dir.path());
        SilentNotifier notifier;
        RunGeneration({systems, level, census}, dice, tree, reports, notifier);
        html = ReadBytes(dir.path() / kHtmlReportName);
        text = ReadBytes(dir.path() / kTextReportName);
    }
    const auto htmlPath = dir.path() / "baseline-html";
    const auto textPath = dir.path() / "baseline-text";
    for (auto _ : state) {
        std::FILE* h = std::fopen(htmlPath.c_str(), "w+");
        std::FILE* t = std::fopen(textPath.c_str(), "w+");
        std::fwrite(html.data(), 1, html.size(), h);
        std::fwrite(text.data(), 1, text.size(), t);
        std::fclose(t);
        std::fclose(h);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (html.size() + text.size())));
}

}  // namespace nexmar::bench
