#include "regscope.h"

#include <gtest/gtest.h>

namespace {
void writeValue(HKEY root, const std::string& path, const char* name, DWORD type, const std::string& bytes)
{
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    ASSERT_EQ(status, ERROR_SUCCESS) << "cannot create " << path;
    status = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    ASSERT_EQ(status, ERROR_SUCCESS) << "cannot set " << path << " " << (name ? name : "(default)");
}

std::string sz(const std::string& text)
{
    return std::string(text.c_str(), text.size() + 1);
}
} // namespace

ScopedRegKey::ScopedRegKey(HKEY root, std::string path) : root_(root), path_(std::move(path))
{
    RegDeleteTreeA(root_, path_.c_str());
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    EXPECT_EQ(status, ERROR_SUCCESS) << "cannot create " << path_;
    if (key) RegCloseKey(key);
}

ScopedRegKey::~ScopedRegKey()
{
    RegDeleteTreeA(root_, path_.c_str());
}

void ScopedRegKey::setBytes(const char* name, DWORD type, const std::string& bytes, const char* subkey)
{
    std::string path = subkey ? path_ + "\\" + subkey : path_;
    writeValue(root_, path, name, type, bytes);
}

void ScopedRegKey::setString(const char* name, const std::string& value, const char* subkey)
{
    setBytes(name, REG_SZ, sz(value), subkey);
}

ScopedRegValue::ScopedRegValue(HKEY root, std::string key, std::string name)
    : root_(root), key_(std::move(key)), name_(std::move(name))
{
    HKEY handle = nullptr;
    keyExisted_ = RegOpenKeyExA(root_, key_.c_str(), 0, KEY_QUERY_VALUE, &handle) == ERROR_SUCCESS;
    if (!keyExisted_) return;
    DWORD size = 0;
    if (RegQueryValueExA(handle, name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
        saved_.resize(size);
        if (RegQueryValueExA(handle, name_.c_str(), nullptr, &type_, reinterpret_cast<BYTE*>(saved_.data()),
                             &size) == ERROR_SUCCESS) {
            saved_.resize(size);
            existed_ = true;
        }
    }
    RegCloseKey(handle);
}

ScopedRegValue::~ScopedRegValue()
{
    if (existed_) {
        writeValue(root_, key_, name_.c_str(), type_, saved_);
        return;
    }
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &handle) == ERROR_SUCCESS) {
        RegDeleteValueA(handle, name_.c_str());
        RegCloseKey(handle);
    }
    if (!keyExisted_) RegDeleteTreeA(root_, key_.c_str());
}

void ScopedRegValue::setString(const std::string& value)
{
    setBytes(REG_SZ, sz(value));
}

void ScopedRegValue::setBytes(DWORD type, const std::string& bytes)
{
    writeValue(root_, key_, name_.c_str(), type, bytes);
}

void ScopedRegValue::remove()
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &handle) == ERROR_SUCCESS) {
        RegDeleteValueA(handle, name_.c_str());
        RegCloseKey(handle);
    }
}
