// OrbeloUninstaller: removes an installation described by the data appended
// to this executable. "/SILENT" runs without any window; "/NOREMOVE" keeps the
// uninstaller itself.
#include "uninstaller/ByteString.h"
#include "uninstaller/UninstallDialogs.h"
#include "uninstaller/UninstallRun.h"

#ifdef ORBELO_WITH_QT
#include "uninstaller/QtDialogs.h"
#endif

#include "platform/win/MachineRoot.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

int main(int argc, char** argv) {
    // The run changes its current directory (to "C:\\" before removing
    // directories, to a library's folder while unregistering it): a relative
    // machine root must go on naming the same folder.
    if (const char* root = std::getenv("VALDORINE_MACHINE_ROOT"); root && *root)
        ::setenv("VALDORINE_MACHINE_ROOT", win::MachineRoot().c_str(), 1);

    // The command line as Windows hands it over: one text, program path included.
    ByteString commandLine;
    for (int i = 0; i < argc; ++i) {
        if (i) commandLine.appendChar(' ');
        commandLine.append(argv[i]);
    }
    bool silent = false;
    bool noRemove = false;
    parseOptions(commandLine, silent, noRemove);

    const std::filesystem::path dataSource = "/proc/self/exe";
    std::error_code ec;
    std::filesystem::path executable = std::filesystem::read_symlink(dataSource, ec);
    if (ec) executable = dataSource;

    if (silent) {
        NoDialogs dialogs;
        UninstallRun run(dialogs);
        return run.run(commandLine, executable, dataSource);
    }
#ifdef ORBELO_WITH_QT
    return runWithQtDialogs(argc, argv, commandLine, executable, dataSource);
#else
    std::fputs("This build of Orbelo Uninstaller has no dialogs; run it with /SILENT.\n", stderr);
    return kExitStopped;
#endif
}
