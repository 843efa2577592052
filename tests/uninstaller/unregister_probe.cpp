// A library with DllUnregisterServer, for the shared-file tests: it logs into
// the machine root where it was loaded and when it was called.
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

void Log(const char* what) {
    const char* root = std::getenv("VALDORINE_MACHINE_ROOT");
    char cwd[PATH_MAX] = "?";
    if (!root || !::getcwd(cwd, sizeof cwd)) return;
    std::ofstream(std::string(root) + "/probe.log", std::ios::app) << what << " in " << cwd << "\n";
}

__attribute__((constructor)) void Loaded() { Log("loaded"); }

}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t DllUnregisterServer() {
    Log("DllUnregisterServer");
    return 0;
}
