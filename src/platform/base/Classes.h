#pragma once
// The stream classes in one include, for code that uses several of them.

#include "platform/base/FileStream.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/Stream.h"
#include "platform/base/StringStream.h"
