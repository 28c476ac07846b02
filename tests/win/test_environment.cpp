#include "installrun.h"
#include "support/winvers.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

using Lines = std::vector<std::string>;

namespace {
const char* const ntKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// The four registry sources of the Windows directory, owned by one test.
struct WindowsDirSources {
    ScopedRegValue systemRoot{HKEY_LOCAL_MACHINE, ntKey, "SystemRoot"};
    ScopedRegValue pathName{HKEY_LOCAL_MACHINE, ntKey, "PathName"};
    ScopedRegValue winDir{HKEY_LOCAL_MACHINE, ntKey, "WinDir"};
    ScopedRegValue setupWinDir{HKEY_LOCAL_MACHINE, std::string(ntKey) + "\\SETUP", "WinDir"};

    void clear()
    {
        systemRoot.setString("");
        pathName.remove();
        winDir.remove();
        setupWinDir.remove();
    }
};

// The PATH of this process for one test.
struct ScopedPath {
    std::string saved;
    explicit ScopedPath(const std::string& value)
    {
        if (const char* path = std::getenv("PATH")) saved = path;
        _putenv_s("PATH", value.c_str());
    }
    ~ScopedPath() { _putenv_s("PATH", saved.c_str()); }
};
} // namespace

TEST(EnvironmentSetup, CreatesTheRunsOwnTraceLogOnlyWhenThereIsNone)
{
    {
        InstallRun run;
        EXPECT_TRUE(run.installation->getEnvironmentSetup());
        EXPECT_TRUE(fileExists("jinstall.log"));
        EXPECT_TRUE(fileExists("jinstall.sem"));
        EXPECT_TRUE(run.installation->isWinNTFamily());
    }
    {
        InstallRun run;
        writeFile("jinstall.log", "earlier\r\n");
        run.installation->getEnvironmentSetup();
        EXPECT_FALSE(fileExists("jinstall.sem"));
        EXPECT_EQ(readFile("jinstall.log").substr(0, 9), "earlier\r\n");
    }
}

TEST(WindowsDirectory, FromSystemRootAsStored)
{
    InstallRun run;
    WindowsDirSources sources;
    sources.systemRoot.setString("C:\\WINNT");
    writeFile("jinstall.log", "");
    run.installation->getEnvironmentSetup();
    EXPECT_STREQ(run.installation->getHomeDirectoryValue(), "C:\\WINNT");
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"got home directory from SystemRoot"}));
}

TEST(WindowsDirectory, FromPathNameWhenSystemRootIsEmpty)
{
    InstallRun run;
    WindowsDirSources sources;
    sources.systemRoot.setString("");
    sources.pathName.setString("D:\\WinPath");
    writeFile("jinstall.log", "");
    run.installation->getEnvironmentSetup();
    EXPECT_STREQ(run.installation->getHomeDirectoryValue(), "D:\\WinPath");
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"got home directory from PathName"}));
}

TEST(WindowsDirectory, FromSetupWinDirLast)
{
    InstallRun run;
    WindowsDirSources sources;
    sources.clear();
    sources.setupWinDir.setString("E:\\Setup");
    writeFile("jinstall.log", "");
    run.installation->getEnvironmentSetup();
    EXPECT_STREQ(run.installation->getHomeDirectoryValue(), "E:\\Setup");
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"got home directory from Setup WinDir"}));
}

TEST(WindowsDirectory, FromTheFirstMatchingPathEntry)
{
    InstallRun run;
    std::filesystem::create_directories("Windows\\WINNT\\system32");
    WindowsDirSources sources;
    sources.clear();
    ASSERT_FALSE(fileExists("c:\\winnt"));
    ScopedPath path(run.native() + "\\Windows\\WINNT\\system32;" + run.native() + "\\Windows\\WINNT");
    writeFile("jinstall.log", "");
    run.installation->getEnvironmentSetup();
    std::string expected = run.native() + "\\windows\\winnt";
    for (char& c : expected) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(std::string(run.installation->getHomeDirectoryValue()), expected);
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"unable to get windows directory from registry"}));
}

TEST(WindowsDirectory, FromTheCurrentFolderWhenAllElseFails)
{
    InstallRun run;
    WindowsDirSources sources;
    sources.clear();
    ASSERT_FALSE(fileExists("c:\\winnt"));
    ScopedPath path("C:\\windows\\system32;C:\\windows");
    writeFile("jinstall.log", "");
    run.installation->getEnvironmentSetup();
    EXPECT_EQ(std::string(run.installation->getHomeDirectoryValue()), run.native());
    EXPECT_EQ(readLogLines("jinstall.log"),
              (Lines{"unable to get windows directory from registry", "unable to get windows directory"}));
}

TEST(WinVersion, NtFamilyAskedOncePerObject)
{
    TestFolder folder;
    writeFile("jinstall.log", "");
    WinVersion version;
    EXPECT_EQ(version.answered(), 0);
    EXPECT_TRUE(version.winNT());
    EXPECT_TRUE(version.winNT());
    EXPECT_EQ(version.answered(), 1);
    EXPECT_EQ(readLogLines("jinstall.log"), Lines{});
}
