#include "registry.h"

const char* const SRegGetDataFailed = "Failed to get data for '%s'";
const char* const SInvalidRegType = "Invalid data type for '%s'";

bool TRegistry::OpenKeyReadOnly(const char* path)
{
    CloseKey();
    if (path[0] == '\\')
        ++path;
    // Query access alone: a key the user may read but not write still answers.
    if (RegOpenKeyExA(root_, path, 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) {
        key_ = nullptr;
        return false;
    }
    return true;
}

void TRegistry::CloseKey()
{
    if (key_)
        RegCloseKey(key_);
    key_ = nullptr;
}

bool TRegistry::GetDataSize(const char* name, DWORD* size)
{
    *size = 0;
    return key_ && RegQueryValueExA(key_, name, nullptr, nullptr, nullptr, size) == ERROR_SUCCESS;
}

bool TRegistry::ReadData(const char* name, BYTE* data, DWORD* size, DWORD* type)
{
    return key_ && RegQueryValueExA(key_, name, nullptr, type, data, size) == ERROR_SUCCESS;
}
