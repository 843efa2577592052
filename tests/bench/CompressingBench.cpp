// The LZW decoder against the system's `uncompress` (ncompress) on the same
// content, both timed from a compressed file on disk to a decoded file on
// disk, wall clock. VALDORINE_BENCH_SMOKE=1 shrinks the content to 1 MiB.
#include "bench/BenchSupport.h"
#include "data/Compressing.h"

#include "lzw/LzwEncoder.h"
#include "platform/base/FileStream.h"
#include "platform/win/Files.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::size_t ContentSize() {
    return bench_support::IsSmokeRun() ? (std::size_t{1} << 20) : (std::size_t{64} << 20);
}

// Data-base shaped XML with varying numbers and Windows-1250 names.
std::string MakeContent(std::size_t size) {
    static const char* const kNames[] = {"\xE1sv\xE1nygyapot h\xE9j", "k\xF5zetgyapot pap\xEDr", "elasztomer cs\xF5",
                                         "poliuret\xE1n h\xE9j", "kalcium-szilik\xE1t", "ny\xFAl\xE1\x9Ai \xFBr"};
    std::mt19937 random(20240601);
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Data>\r\n";
    while (text.size() < size) {
        const unsigned n = random();
        text += "<Isolation TubeShell=\"" + std::string(n & 1 ? "yes" : "no") + "\"><ItemID>ISO" +
                std::to_string(n % 5000) + "</ItemID><ItemName Language=\"HU\">" + kNames[n % 6] +
                "</ItemName><IsolationSubType><SizeName>" + std::to_string(n % 400) + "x" +
                std::to_string(10 + n % 90) + "</SizeName><db>" + std::to_string(n % 400) + "</db><v>" +
                std::to_string(10 + (n >> 8) % 90) + "</v></IsolationSubType></Isolation>\r\n";
    }
    text.resize(size);
    return text;
}

void WriteBytes(const fs::path& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs a program with its standard input and output on files; false on failure.
bool Run(const std::vector<std::string>& args, const fs::path& input, const fs::path& output) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The same content as an LZW file of ours and as a ".Z" file of `compress`.
struct TFixture {
    std::size_t size = 0;
    fs::path folder, ours, theirs, decoded;
    std::string error;

    TFixture() {
        const std::string content = MakeContent(ContentSize());
        size = content.size();
        folder = win::TempFolder();
        ours = folder / "content.lzw";
        theirs = folder / "content.Z";
        decoded = folder / "content.out";
        const fs::path plain = folder / "content.xml";
        WriteBytes(plain, content.data(), content.size());
        const auto packed = lzw::Compress(content);
        WriteBytes(ours, packed.data(), packed.size());
        if (!Run({"compress", "-c"}, plain, theirs)) error = "compress (ncompress) is not available";
        // Both decoders must give the content back before a figure counts.
        {
            TFileStream in(ours, fmOpenRead);
            TFileStream out(decoded, fmCreate);
            Compressing(in, out).Decompress();
        }
        if (ReadBytes(decoded) != content) error = "our decoder does not round-trip";
        if (error.empty() && (!Run({"uncompress", "-c"}, theirs, decoded) || ReadBytes(decoded) != content))
            error = "uncompress does not round-trip";
    }
};

const TFixture& Fixture() {
    static const TFixture fixture;
    return fixture;
}

void BM_CompressingDecompressFile(benchmark::State& state) {
    const TFixture& f = Fixture();
    if (!f.error.empty()) {
        state.SkipWithError(f.error.c_str());
        return;
    }
    for (auto _ : state) {
        TFileStream in(f.ours, fmOpenRead);
        TFileStream out(f.decoded, fmCreate);
        Compressing(in, out).Decompress();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.size));
    state.counters["compressed_bytes"] = static_cast<double>(fs::file_size(f.ours));
}

void BM_CompressingUncompressTool(benchmark::State& state) {
    const TFixture& f = Fixture();
    if (!f.error.empty()) {
        state.SkipWithError(f.error.c_str());
        return;
    }
    for (auto _ : state)
        if (!Run({"uncompress", "-c"}, f.theirs, f.decoded)) state.SkipWithError("uncompress failed");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.size));
    state.counters["compressed_bytes"] = static_cast<double>(fs::file_size(f.theirs));
}

// The decoder alone, memory to memory.
void BM_CompressingDecompressMemory(benchmark::State& state) {
    const std::string content = MakeContent(ContentSize());
    const auto packed = lzw::Compress(content);
    for (auto _ : state) {
        std::string out;
        Compressing::Decompress(packed, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * content.size()));
}

BENCHMARK(BM_CompressingDecompressFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CompressingUncompressTool)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CompressingDecompressMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
