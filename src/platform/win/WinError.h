#pragma once
// Windows error codes returned by the Win32 stand-in, with their Windows values.

namespace win {

constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_PATH_NOT_FOUND = 3;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr long ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr long ERROR_SHARING_VIOLATION = 32;
constexpr long ERROR_INVALID_PARAMETER = 87;
constexpr long ERROR_DIR_NOT_EMPTY = 145;
constexpr long ERROR_BAD_PATHNAME = 161;
constexpr long ERROR_ALREADY_EXISTS = 183;
constexpr long ERROR_MORE_DATA = 234;
constexpr long ERROR_NO_MORE_ITEMS = 259;
constexpr long ERROR_INVALID_DATA = 13;
constexpr long ERROR_BADDB = 1009;
constexpr long ERROR_BADKEY = 1010;
constexpr long ERROR_CANTOPEN = 1011;
constexpr long ERROR_CANTREAD = 1012;
constexpr long ERROR_CANTWRITE = 1013;
constexpr long ERROR_KEY_DELETED = 1018;
constexpr long ERROR_FILE_EXISTS = 80;
constexpr long ERROR_CALL_NOT_IMPLEMENTED = 120;
constexpr long ERROR_MOD_NOT_FOUND = 126;
constexpr long ERROR_PROC_NOT_FOUND = 127;
constexpr long ERROR_BAD_EXE_FORMAT = 193;
constexpr long ERROR_DIRECTORY = 267;
constexpr long ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
constexpr long ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;

}  // namespace win
