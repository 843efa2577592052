#include "data/DataTexts.h"

std::string DataText(std::string_view) { return {}; }
