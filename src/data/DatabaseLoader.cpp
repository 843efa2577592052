#include "data/DatabaseLoader.h"

#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/StandardTubes.h"
#include "data/XmlDataFile.h"
#include "data/XmlParser.h"
#include "data/Xmlmacro.h"
#include "platform/base/Exception.h"
#include "platform/win/Files.h"

#include <exception>
#include <string>

namespace {

// Deeper folders are not walked: a link that points back up would otherwise
// never end.
constexpr int kMaxFolderDepth = 32;

void EnsureDatabases() {
    if (!MediumTypes) MediumTypes = std::make_unique<TMediumTypes>();
    if (!IsolationTypes) IsolationTypes = std::make_unique<TIsolationTypes>();
    if (!StandardTubeTypes) StandardTubeTypes = std::make_unique<TStandardTubeTypes>();
}

bool ScanFolderAt(const std::filesystem::path& folder, int depth) {
    bool ok = true;
    try {
        if (depth < kMaxFolderDepth) {
            for (const auto& sub : win::ListFolders(folder))
                if (!ScanFolderAt(sub, depth + 1)) ok = false;
        } else {
            ok = false;
        }
        if (!LoadDatabaseFolder(folder)) ok = false;
    } catch (const std::exception&) {
        // A folder that can't be listed; the parent's walk goes on.
        ok = false;
    }
    return ok;
}

}  // namespace

void ReadDatabaseRecords(TXmlParser& parser) {
    EnsureDatabases();
    while (parser.Scan()) {
        if (parser.PartType() != TPartType::ptStartTag) continue;
        const std::string& name = parser.PartName();
        if (name == "DBGlobalMacro") {
            ReadXmlMacros(parser);
        } else if (name == "Tube") {
            TTubeItem item;
            item.Read(parser);
            StandardTubeTypes->Add(item);
        } else if (name == "DBMedium") {
            TMediumDBItem item;
            item.Read(parser);
            MediumTypes->Add(item);
        } else if (name == "Isolation") {
            TIsolation item;
            item.Read(parser);
            IsolationTypes->Add(item);
        }
    }
}

void LoadDatabases(const std::filesystem::path& root) {
    MediumTypes = std::make_unique<TMediumTypes>();
    IsolationTypes = std::make_unique<TIsolationTypes>();
    StandardTubeTypes = std::make_unique<TStandardTubeTypes>();
    ScanDataFolder(root);
}

bool ScanDataFolder(const std::filesystem::path& folder) { return ScanFolderAt(folder, 0); }

bool LoadDatabaseFolder(const std::filesystem::path& folder) {
    EnsureDatabases();
    bool ok = true;
    try {
        for (const auto& file : win::ListFiles(folder, "*.xm?")) {
            TXmlParser parser;
            // Plain or compressed by the file's own name; folder names play no part.
            const bool compressed = IsCompressedFileName(win::TextFromPath(file.filename()));
            if (!LoadXmlDataFile(parser, file, compressed)) {
                ok = false;
                continue;
            }
            parser.SetNormalize(true);
            parser.StartScan();
            // Macros and language never carry over from one file to the next.
            ClearXmlMacros();
            SetDeviceDBLanguage("");
            ReadDatabaseRecords(parser);
        }
    } catch (const Exception&) {
        // A bad number: the rest of this folder is not loaded; what was read stays.
        ok = false;
    }
    return ok;
}
