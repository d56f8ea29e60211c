#include "ansi_string.h"

#include <stdlib.h>
#include <string.h>

AnsiString::AnsiString(const char* text) { Append(text); }

AnsiString::AnsiString(const char* text, size_t length) { Append(text, length); }

AnsiString::AnsiString(const AnsiString& other) { Append(other.c_str(), other.length_); }

AnsiString& AnsiString::operator=(const AnsiString& other)
{
    if (this != &other) {
        free(text_);
        text_ = nullptr;
        length_ = 0;
        Append(other.c_str(), other.length_);
    }
    return *this;
}

AnsiString::~AnsiString() { free(text_); }

void AnsiString::Append(const char* text) { Append(text, text ? strlen(text) : 0); }

void AnsiString::Append(const char* text, size_t length)
{
    if (length == 0)
        return;
    char* grown = static_cast<char*>(realloc(text_, length_ + length + 1));
    if (!grown)
        abort();  // a few hundred bytes could not be had: nothing sensible is left to do
    memcpy(grown + length_, text, length);
    length_ += length;
    grown[length_] = '\0';
    text_ = grown;
}

bool AnsiString::operator==(const char* text) const
{
    return strlen(text) == length_ && memcmp(c_str(), text, length_) == 0;
}
