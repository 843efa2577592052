#pragma once
// The program's version as the build sets it.

struct TBuildVersion {
    int Major;
    int Minor;
};

TBuildVersion BuildVersion();
