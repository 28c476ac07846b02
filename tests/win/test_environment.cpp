#include "installrun.h"

#include <cstdlib>

// The Windows directory from the registry sources in their order, then from PATH (whose matching is the
// library's test), then the current folder.
TEST(WindowsDirectory, RegistrySourcesThenPathThenTheCurrentFolder)
{
    const char* const ntKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    struct Case { const char *what, *systemRoot, *pathName, *setupWinDir, *dir; Lines trace; } cases[] = {
        // null: no such value; "@": the package folder
        {"SystemRoot as stored", "C:\\WINNT", nullptr, nullptr, "C:\\WINNT", {"got home directory from SystemRoot"}},
        {"PathName before Setup WinDir", "", "D:\\WinPath", "E:\\Setup", "D:\\WinPath", {"got home directory from PathName"}},
        {"Setup WinDir last", "", nullptr, "E:\\Setup", "E:\\Setup", {"got home directory from Setup WinDir"}},
        {"current folder when all else fails", "", nullptr, nullptr, "@",
         {"unable to get windows directory from registry", "unable to get windows directory"}},
    };
    ASSERT_FALSE(fileExists("c:\\winnt")) << "the guess would find it";
    const std::string savedPath = std::getenv("PATH");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallRun run;
        ScopedRegValue systemRoot{HKEY_LOCAL_MACHINE, ntKey, "SystemRoot"}, pathName{HKEY_LOCAL_MACHINE, ntKey, "PathName"},
            winDir{HKEY_LOCAL_MACHINE, ntKey, "WinDir"}, setup{HKEY_LOCAL_MACHINE, std::string(ntKey) + "\\SETUP", "WinDir"};
        systemRoot.setString(c.systemRoot);
        winDir.remove();
        for (auto value : {std::make_pair(&pathName, c.pathName), std::make_pair(&setup, c.setupWinDir)})
            value.second ? value.first->setString(value.second) : value.first->remove();
        _putenv_s("PATH", "C:\\nowhere\\system32;C:\\nowhere");
        writeFile("jinstall.log", "");
        EXPECT_TRUE(run.installation->getEnvironmentSetup());
        _putenv_s("PATH", savedPath.c_str());
        EXPECT_EQ(std::string(run.installation->getHomeDirectoryValue()), *c.dir == '@' ? run.native() : c.dir);
        EXPECT_EQ(readLogLines("jinstall.log"), c.trace);
        EXPECT_TRUE(run.installation->isWinNTFamily());
    }
}
