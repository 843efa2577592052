// The start-up load of the data bases: the shipped folder, and generated
// folders holding it many times over (each copy in a sub-folder of its own),
// so that the time per byte shows whether loading grows linearly.

#include "bench/BenchSupport.h"
#include "data/DatabaseLoader.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/StandardTubes.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kShipped = fs::path(SOURCE_ROOT) / "data";

std::int64_t FolderBytes(const fs::path& folder) {
    std::int64_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) bytes += static_cast<std::int64_t>(entry.file_size());
    return bytes;
}

// A folder with `copies` copies of the shipped set; made once per size.
fs::path GeneratedFolder(int copies) {
    const fs::path root = fs::temp_directory_path() / ("valdorine-bench-data-" + std::to_string(copies));
    if (!fs::exists(root / "done")) {
        fs::remove_all(root);
        fs::create_directories(root);
        for (int i = 0; i < copies; ++i)
            fs::copy(kShipped, root / ("copy" + std::to_string(i)), fs::copy_options::recursive);
        fs::create_directories(root / "done");
    }
    return root;
}

void LoadAndCount(benchmark::State& state, const fs::path& folder) {
    const std::int64_t bytes = FolderBytes(folder);
    for (auto _ : state) {
        LoadDatabases(folder);
        benchmark::DoNotOptimize(MediumTypes->Count() + IsolationTypes->Count() + StandardTubeTypes->Count());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["media"] = MediumTypes->Count();
}

void BM_DatabaseLoaderShipped(benchmark::State& state) { LoadAndCount(state, kShipped); }
BENCHMARK(BM_DatabaseLoaderShipped)->Unit(benchmark::kMillisecond);

void BM_DatabaseLoaderGenerated(benchmark::State& state) {
    LoadAndCount(state, GeneratedFolder(static_cast<int>(state.range(0))));
}

// The CI smoke run takes the small size only.
void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1);
    if (!bench_support::IsSmokeRun()) b->Arg(10)->Arg(100);
}
BENCHMARK(BM_DatabaseLoaderGenerated)->Apply(Sizes)->Unit(benchmark::kMillisecond);

}  // namespace
