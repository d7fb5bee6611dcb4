// Cost of building the longest element the trainer plays, a 375 ms dash at
// 96000 Hz, 16-bit (36000 samples), through TGeraSom::Prepare, per waveform.
// Prints Google Benchmark's report, then the medians as a markdown table.

#include "sound/tgerasom.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int DurationMs = 375;
constexpr int Samples = DurationMs * 96;
const char *const WaveNames[] = {"sine", "square", "triangle", "sawtooth", "noise"};

void Synthesis(benchmark::State &state)
{
    TGeraSom g;
    g.SetWaveform(static_cast<TTGWave>(state.range(0)));
    g.SetFrequency(800);
    g.SetResolution(tg16Bit);
    g.SetQuality(tgHiQ);
    for (auto _ : state) {
        g.SetDuration(DurationMs);
        benchmark::DoNotOptimize(g.Prepare());
        benchmark::DoNotOptimize(g.Data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(WaveNames[state.range(0)]);
    state.SetItemsProcessed(state.iterations() * Samples);
}
BENCHMARK(Synthesis)
    ->DenseRange(tgSine, tgNoise)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// The console report, and the medians kept for the table at the end.
class MedianTable : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                m_rows.push_back(
                    {r.report_label,
                     r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit)});
    }

    void print() const
    {
        std::printf(
            "\n| waveform (%d ms, 16-bit, 96000 Hz, %d samples) | median | ns per sample |\n",
            DurationMs, Samples);
        std::printf("|---|---|---|\n");
        for (const auto &[label, seconds] : m_rows)
            std::printf("| %s | %.3f ms | %.2f |\n", label.c_str(), seconds * 1e3,
                        seconds * 1e9 / Samples);
    }

private:
    std::vector<std::pair<std::string, double>> m_rows;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    MedianTable table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    table.print();
    return 0;
}
