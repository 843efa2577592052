#include "platform/base/Exception.h"
