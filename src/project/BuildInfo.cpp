#include "project/BuildInfo.h"

TBuildVersion BuildVersion() {
    return {VALDORINE_VERSION_MAJOR, VALDORINE_VERSION_MINOR};
}
