#include "data/DatabaseLoader.h"

#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/StandardTubes.h"

void LoadDatabases(const std::filesystem::path& root) {
    MediumTypes = std::make_unique<TMediumTypes>();
    IsolationTypes = std::make_unique<TIsolationTypes>();
    StandardTubeTypes = std::make_unique<TStandardTubeTypes>();
    ScanDataFolder(root);
}

bool ScanDataFolder(const std::filesystem::path& folder) { return LoadDatabaseFolder(folder); }

bool LoadDatabaseFolder(const std::filesystem::path&) { return false; }
