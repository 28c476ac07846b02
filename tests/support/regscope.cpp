#include "regscope.h"

#include "support/handles.h"

#include <gtest/gtest.h>

namespace {
void writeValue(HKEY root, const std::string& path, const char* name, DWORD type, const std::string& bytes)
{
    UniqueHkey key;
    LONG status = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    ASSERT_EQ(status, ERROR_SUCCESS) << "cannot create " << path;
    status = RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size()));
    ASSERT_EQ(status, ERROR_SUCCESS) << "cannot set " << path << " " << (name ? name : "(default)");
}
} // namespace

ScopedRegKey::ScopedRegKey(HKEY root, std::string path) : root_(root), path_(std::move(path))
{
    RegDeleteTreeA(root_, path_.c_str());
    UniqueHkey key;
    LONG status = RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    EXPECT_EQ(status, ERROR_SUCCESS) << "cannot create " << path_;
}

void ScopedRegKey::setBytes(const char* name, DWORD type, const std::string& bytes, const char* subkey)
{
    writeValue(root_, subkey ? path_ + "\\" + subkey : path_, name, type, bytes);
}

void ScopedRegKey::setString(const char* name, const std::string& value, const char* subkey)
{
    setBytes(name, REG_SZ, value + '\0', subkey);
}

ScopedRegValue::ScopedRegValue(HKEY root, std::string key, std::string name)
    : root_(root), key_(std::move(key)), name_(std::move(name))
{
    UniqueHkey handle;
    keyExisted_ = RegOpenKeyExA(root_, key_.c_str(), 0, KEY_QUERY_VALUE, handle.put()) == ERROR_SUCCESS;
    DWORD size = 0;
    if (!keyExisted_ || RegQueryValueExA(handle.get(), name_.c_str(), nullptr, &type_, nullptr, &size) != ERROR_SUCCESS)
        return;
    saved_.resize(size);
    existed_ = RegQueryValueExA(handle.get(), name_.c_str(), nullptr, &type_, reinterpret_cast<BYTE*>(saved_.data()),
                                &size) == ERROR_SUCCESS;
    saved_.resize(size);
}

ScopedRegValue::~ScopedRegValue()
{
    if (existed_) {
        writeValue(root_, key_, name_.c_str(), type_, saved_);
        return;
    }
    remove();
    if (!keyExisted_) RegDeleteTreeA(root_, key_.c_str());
}

void ScopedRegValue::setString(const std::string& value)
{
    writeValue(root_, key_, name_.c_str(), REG_SZ, value + '\0');
}

void ScopedRegValue::remove()
{
    UniqueHkey handle;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, handle.put()) == ERROR_SUCCESS)
        RegDeleteValueA(handle.get(), name_.c_str());
}
