#include "data/DatabaseLoader.h"

#include "data/Compressing.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/StandardTubes.h"
#include "data/XmlParser.h"
#include "data/Xmlmacro.h"
#include "platform/base/Exception.h"
#include "platform/base/SysUtils.h"
#include "platform/win/Files.h"

#include <cstdint>
#include <exception>
#include <fstream>
#include <iterator>
#include <span>
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

// Plain XML only when the file's own name, in capitals, holds ".XML" first
// at its very end; folder names play no part.
bool IsPlainXml(const std::filesystem::path& file) {
    const std::string name = AnsiUpperCase(win::TextFromPath(file.filename()));
    const std::size_t at = name.find(".XML");
    return at != std::string::npos && at + 4 == name.size();
}

// False when the file can't be read or decoded; the parser is then empty.
bool LoadDataFile(TXmlParser& parser, const std::filesystem::path& file) {
    if (IsPlainXml(file)) return parser.LoadFromFile(file, 0);
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::string packed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return false;
    // Decoded in memory: the same text the scanner would read back from a
    // temporary file, with no file that two running copies could share.
    std::string text;
    try {
        Compressing::Decompress(
            std::span(reinterpret_cast<const std::uint8_t*>(packed.data()), packed.size()), text);
    } catch (const EDecompressError&) {
        return false;
    }
    return parser.LoadFromBuffer(text);
}

void ReadRecords(TXmlParser& parser) {
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
            if (!LoadDataFile(parser, file)) {
                ok = false;
                continue;
            }
            parser.SetNormalize(true);
            parser.StartScan();
            // Macros and language never carry over from one file to the next.
            ClearXmlMacros();
            SetDeviceDBLanguage("");
            ReadRecords(parser);
        }
    } catch (const Exception&) {
        // A bad number: the rest of this folder is not loaded; what was read stays.
        ok = false;
    }
    return ok;
}
