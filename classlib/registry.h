// Read-only access to one registry key.
#pragma once
#include <windows.h>

// The registry errors' texts; "%s" stands for the value's name.
extern const char* const SRegGetDataFailed;
extern const char* const SInvalidRegType;

class TRegistry {
public:
    explicit TRegistry(HKEY root) : root_(root) {}
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Opens an existing key for reading only; never creates one. A leading
    // backslash makes the path absolute from the root.
    bool OpenKeyReadOnly(const char* path);
    void CloseKey();
    // The value's data size in bytes, from a query without a buffer.
    bool GetDataSize(const char* name, DWORD* size);
    // Reads the value into `data`, which holds `*size` bytes; on return
    // `*size` is the number of bytes read.
    bool ReadData(const char* name, BYTE* data, DWORD* size, DWORD* type);

private:
    HKEY root_;
    HKEY key_ = nullptr;
};
