// Registry state owned by one test: keys created for it and deleted afterwards, and values set for
// it and put back afterwards, also when the test fails.
#pragma once

#include <windows.h>

#include <string>

// Deletes root\path (with its subkeys) before and after the test, and creates it.
class ScopedRegKey {
public:
    ScopedRegKey(HKEY root, std::string path);
    ~ScopedRegKey() { RegDeleteTreeA(root_, path_.c_str()); }
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;

    // Sets a value of the key (or of a subkey below it, created when needed).
    void setString(const char* name, const std::string& value, const char* subkey = nullptr);
    void setBytes(const char* name, DWORD type, const std::string& bytes, const char* subkey = nullptr);

private:
    HKEY root_;
    std::string path_;
};

// Sets one value of an existing or new key for the test and restores what was there before (or its
// absence) afterwards.
class ScopedRegValue {
public:
    ScopedRegValue(HKEY root, std::string key, std::string name);
    ~ScopedRegValue();
    ScopedRegValue(const ScopedRegValue&) = delete;
    ScopedRegValue& operator=(const ScopedRegValue&) = delete;

    void setString(const std::string& value);
    void remove();

private:
    HKEY root_;
    std::string key_, name_;
    bool existed_ = false;
    bool keyExisted_ = false;
    DWORD type_ = 0;
    std::string saved_;
};

// The user's regional setting, which decides the language of every box, set for one test.
struct ScopedUserLocale : ScopedRegValue {
    explicit ScopedUserLocale(const std::string& locale)
        : ScopedRegValue(HKEY_CURRENT_USER, "Control Panel\\International", "Locale")
    {
        setString(locale);
    }
};
