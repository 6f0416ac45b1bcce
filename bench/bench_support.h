#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "run/generation_run.h"
#include "support/scratch.h"

namespace nexmar::bench {

using testing::ReadFile;
using testing::RecordingNotifier;
using testing::TempDir;

// Times whole generation runs of one level into an in-memory tree and the
// report files.
inline void TimeRuns(benchmark::State& state, DetailLevel level, int systems, bool census)
{
    TempDir dir;
    SeededDice dice(2026);
    ResultTree tree;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    for (auto _ : state) {
        RunGeneration({{systems, level, census}}, dice, tree, reports, notifier);
        benchmark::DoNotOptimize(tree.size());
    }
    state.counters["items"] = static_cast<double>(tree.size());
}

// The floor for the same run: only writing the bytes its reports hold.
inline void TimeReportBytes(benchmark::State& state, DetailLevel level, int systems, bool census)
{
    TempDir dir;
    std::string html, text;
    {
        SeededDice dice(2026);
        ResultTree tree;
        ReportFiles reports(dir.path());
        RecordingNotifier notifier;
        RunGeneration({{systems, level, census}}, dice, tree, reports, notifier);
        html = ReadFile(dir.path() / kHtmlReportName);
        text = ReadFile(dir.path() / kTextReportName);
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
