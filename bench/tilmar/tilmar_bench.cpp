// Tilmar run as a user runs it, process start included: 1 MiB of snes-4bpp tiles (32,768
// tiles of 8 x 8) extracted into a 16-colour PNG and BMP of 32 columns, and inserted back
// from each into the ROM, which must come back byte for byte.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr std::size_t mebibyte = 1u << 20;
constexpr char const* tiles = "32768";  // 1 MiB of 32-byte tiles

std::filesystem::path const& folder() {
    static std::filesystem::path const dir = [] {
        std::filesystem::path d = std::filesystem::temp_directory_path() / ("tilmar-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        std::mt19937 random(4);
        std::string rom(mebibyte, '\0');
        for (char& b : rom) b = static_cast<char>(random());
        std::ofstream(d / "rom.bin", std::ios::binary) << rom;
        std::ofstream(d / "original.bin", std::ios::binary) << rom;
        return d;
    }();
    return dir;
}

std::string read(std::filesystem::path const& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs Tilmar in the folder with its output silenced; false when it fails.
bool tilmar(std::vector<std::string> args) {
    std::string const out = (folder() / "out.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (std::string& a : args)
        if (a.find('.') != std::string::npos) a = (folder() / a).string();
    std::vector<char*> argv{const_cast<char*>(TILMAR)};
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int const spawned = posix_spawn(&pid, TILMAR, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void extract(benchmark::State& state, char const* picture) {
    for (auto _ : state)
        if (!tilmar({"-F", "snes-4bpp", "-t", tiles, "-c", "32", "rom.bin", picture}))
            state.SkipWithError("extraction failed");
}

void insert(benchmark::State& state, char const* picture) {
    if (!tilmar({"-F", "snes-4bpp", "-t", tiles, "-c", "32", "rom.bin", picture})) state.SkipWithError("extraction failed");
    for (auto _ : state)
        if (!tilmar({"-F", "snes-4bpp", "-i", "-t", tiles, "rom.bin", picture})) state.SkipWithError("insertion failed");
    if (read(folder() / "rom.bin") != read(folder() / "original.bin")) state.SkipWithError("the ROM did not come back");
}

BENCHMARK_CAPTURE(extract, png, "tiles.png")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(extract, bmp, "tiles.bmp")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(insert, png, "tiles.png")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(insert, bmp, "tiles.bmp")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::filesystem::remove_all(folder());
    return 0;
}
