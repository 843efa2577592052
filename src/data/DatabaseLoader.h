#pragma once
// Start-up loading of the data bases from the folder "data": every plain or
// LZW-compressed "*.xm?" file below it, sub-folders first.

#include <filesystem>

class TXmlParser;

// Creates the three empty data bases (MediumTypes, IsolationTypes,
// StandardTubeTypes) and fills them from the folder and everything below it.
// Failures are not reported: what could be read stays.
void LoadDatabases(const std::filesystem::path& root = "data");

// Walks a folder depth first: every non-hidden sub-folder (by name, ignoring
// case), then the folder's own files. True only when everything loaded.
bool ScanDataFolder(const std::filesystem::path& folder);

// Loads the data files of one folder (not its sub-folders). A file that can't be
// opened or decoded is skipped; a bad number ends the folder's loading, keeping
// the records read before it. True only when every file loaded.
bool LoadDatabaseFolder(const std::filesystem::path& folder);

// Reads every record of one document into the data bases, in document order:
// "DBGlobalMacro", "Tube", "DBMedium" and "Isolation" start tags at any depth.
// The parser has been started (StartScan); the macros and the data-base
// language are the caller's. Raises Exception at a bad number; the records
// read before it stay.
void ReadDatabaseRecords(TXmlParser& parser);
