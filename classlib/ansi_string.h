// An 8-bit text in the system's ANSI code page, owned and NUL-terminated.
// The program's own small string: std::string would pull the C++ library's
// exception machinery into a program that has none.
#pragma once
#include <stddef.h>

class AnsiString {
public:
    AnsiString() = default;
    AnsiString(const char* text);
    AnsiString(const char* text, size_t length);
    AnsiString(const AnsiString& other);
    AnsiString& operator=(const AnsiString& other);
    ~AnsiString();

    const char* c_str() const { return text_ ? text_ : ""; }
    size_t Length() const { return length_; }
    bool IsEmpty() const { return length_ == 0; }

    void Append(const char* text, size_t length);
    void Append(const char* text);
    // Writable access to the characters, e.g. to change their case in place.
    char* Data() { return text_; }

    bool operator==(const char* text) const;
    bool operator!=(const char* text) const { return !(*this == text); }

private:
    char* text_ = nullptr;
    size_t length_ = 0;
};
