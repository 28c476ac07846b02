// What Windows reads from qivstart.exe's resources: the dialog, the icon, the manifest and the file's
// version information.
#include "programrun.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace {

struct ProgramImage {
    std::string path = programFromEnvironment("QIV_PROGRAM");
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ~ProgramImage()
    {
        if (module) FreeLibrary(module);
    }

    std::string resource(LPCSTR type, LPCSTR name) const
    {
        HRSRC found = FindResourceA(module, name, type);
        if (!found) return "";
        HGLOBAL loaded = LoadResource(module, found);
        const char* bytes = static_cast<const char*>(LockResource(loaded));
        return bytes ? std::string(bytes, SizeofResource(module, found)) : "";
    }
};

std::wstring readWide(const std::string& bytes, std::size_t& at)
{
    std::wstring text;
    for (;; at += 2) {
        wchar_t c = static_cast<wchar_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
        if (!c) break;
        text += c;
    }
    at += 2;
    return text;
}

} // namespace

TEST(Resources, StatusDialogTemplate)
{
    ProgramImage image;
    ASSERT_NE(image.module, nullptr);
    std::string bytes = image.resource(RT_DIALOG, "STATUSDIALOG");
    ASSERT_GE(bytes.size(), sizeof(DLGTEMPLATE));
    DLGTEMPLATE header;
    std::memcpy(&header, bytes.data(), sizeof header);
    EXPECT_EQ(header.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(header.cdit, 2);
    EXPECT_EQ(header.x, 0);
    EXPECT_EQ(header.y, 0);
    EXPECT_EQ(header.cx, 210);
    EXPECT_EQ(header.cy, 60);
    std::size_t at = 18;
    EXPECT_EQ(bytes[at], 0) << "no menu";
    at += 2;
    EXPECT_EQ(bytes[at], 0) << "the standard class";
    at += 2;
    EXPECT_EQ(readWide(bytes, at), L"Installer");
    EXPECT_EQ(static_cast<unsigned char>(bytes[at]), 8u) << "8 point";
    at += 2;
    EXPECT_EQ(readWide(bytes, at), L"MS Sans Serif");
}

TEST(Resources, IconOf32By32In16Colours)
{
    ProgramImage image;
    std::string group = image.resource(RT_GROUP_ICON, "IDI_ICON1");
    ASSERT_EQ(group.size(), 6u + 14u) << "one image";
    const unsigned char* entry = reinterpret_cast<const unsigned char*>(group.data()) + 6;
    EXPECT_EQ(entry[0], 32);
    EXPECT_EQ(entry[1], 32);
    EXPECT_EQ(entry[2], 16) << "colours";
    EXPECT_EQ(entry[6] | entry[7] << 8, 4) << "bits per pixel";
    HICON icon = static_cast<HICON>(LoadImageA(image.module, "IDI_ICON1", IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
}

TEST(Resources, ManifestAsksForTheInvokersRights)
{
    ProgramImage image;
    int manifests = 0;
    EnumResourceNamesA(
        image.module, RT_MANIFEST, [](HMODULE, LPCSTR, LPSTR, LONG_PTR count) -> BOOL {
            ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&manifests));
    EXPECT_EQ(manifests, 1);
    std::string manifest = image.resource(RT_MANIFEST, MAKEINTRESOURCEA(1));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
}

TEST(Resources, VersionInformationNamesTheProduct)
{
    std::string path = programFromEnvironment("QIV_PROGRAM");
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
    auto value = [&](const char* name) {
        char* text = nullptr;
        UINT length = 0;
        std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
        return VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) && text
                   ? std::string(text)
                   : std::string();
    };
    EXPECT_EQ(value("ProductName"), "Quivrell Installer");
    EXPECT_EQ(value("FileDescription"), "Quivrell Installer start-up program");
    EXPECT_EQ(value("FileVersion"), "1.1.0.0");
    EXPECT_EQ(value("OriginalFilename"), "qivstart.exe");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}
