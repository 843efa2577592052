// The start-up load of the data bases: the shipped folder, and generated
// folders holding it many times over (each copy in a sub-folder of its own),
// so that the time per byte shows whether loading grows linearly. Generated
// folders stay in the temporary folder between runs, named after data/'s
// content, so they are made again only when it changes.

#include "bench/BenchSupport.h"
#include "data/DatabaseLoader.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/StandardTubes.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kShipped = fs::path(SOURCE_ROOT) / "data";

std::int64_t FolderBytes(const fs::path& folder) {
    std::int64_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) bytes += static_cast<std::int64_t>(entry.file_size());
    return bytes;
}

// FNV-1a over the names and bytes of every file below the folder, in name
// order: generated folders follow changes of data/.
std::uint64_t ContentHash(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::uint64_t hash = 0xCBF29CE484222325ull;
    auto mix = [&hash](std::string_view bytes) {
        for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
        hash = (hash ^ 0xFF) * 0x100000001B3ull;  // so that names and contents can't run together
    };
    for (const fs::path& file : files) {
        mix(fs::relative(file, folder).generic_string());
        std::ifstream in(file, std::ios::binary);
        mix(std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    }
    return hash;
}

// A folder with `copies` copies of the shipped set (each in a sub-folder of
// its own), named after the copies and the content. It is filled in a fresh
// private folder and renamed into place, so a run sees it complete or not at
// all; when two runs make it at once, the later rename fails and that run
// takes the other's.
fs::path GeneratedFolder(int copies) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016" PRIx64, ContentHash(kShipped));
    const fs::path base = fs::temp_directory_path();
    const fs::path root = base / ("valdorine-bench-data-" + std::to_string(copies) + "-" + hash);
    if (fs::is_directory(root)) return root;
    std::string pattern = (base / "valdorine-bench-data-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder for the generated data");
    const fs::path fresh = pattern;
    for (int i = 0; i < copies; ++i)
        fs::copy(kShipped, fresh / ("copy" + std::to_string(i)), fs::copy_options::recursive);
    std::error_code error;
    fs::rename(fresh, root, error);
    if (error) fs::remove_all(fresh);  // another run put its copy there first
    return root;
}

void LoadAndCount(benchmark::State& state, const fs::path& folder) {
    const std::int64_t bytes = FolderBytes(folder);
    for (auto _ : state) {
        // Freeing the previous load is not part of loading.
        state.PauseTiming();
        MediumTypes.reset();
        IsolationTypes.reset();
        StandardTubeTypes.reset();
        state.ResumeTiming();
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
