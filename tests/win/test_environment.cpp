#include "installrun.h"

#include <cstdlib>

// The Windows directory from the registry sources in their order, then from PATH, then the current folder.
TEST(WindowsDirectory, RegistrySourcesThenPathThenTheCurrentFolder)
{
    const char* const ntKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    const char* const noRegistry = "unable to get windows directory from registry";
    struct Case { const char *what, *systemRoot, *pathName, *setupWinDir, *path, *dir; Lines trace; } cases[] = {
        // null: no such value, PATH as it is; "@": the package folder
        {"SystemRoot as stored", "C:\\WINNT", nullptr, nullptr, nullptr, "C:\\WINNT", {"got home directory from SystemRoot"}},
        {"PathName before Setup WinDir", "", "D:\\WinPath", "E:\\Setup", nullptr, "D:\\WinPath",
         {"got home directory from PathName"}},
        {"Setup WinDir last", "", nullptr, "E:\\Setup", nullptr, "E:\\Setup", {"got home directory from Setup WinDir"}},
        {"first matching PATH entry, lower case", "", nullptr, nullptr, "@\\Windows\\WINNT\\system32;@\\Windows\\WINNT",
         "@\\windows\\winnt", {noRegistry}},
        {"current folder when all else fails", "", nullptr, nullptr, "C:\\windows\\system32;C:\\windows", "@",
         {noRegistry, "unable to get windows directory"}},
    };
    ASSERT_FALSE(fileExists("c:\\winnt")) << "the guess would find it";
    const std::string savedPath = std::getenv("PATH");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallRun run;
        std::filesystem::create_directories("Windows\\WINNT\\system32");
        auto here = [&](std::string text, bool lower) {
            for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, run.native());
            for (char& ch : text) ch = lower ? static_cast<char>(std::tolower(static_cast<unsigned char>(ch))) : ch;
            return text;
        };
        ScopedRegValue systemRoot{HKEY_LOCAL_MACHINE, ntKey, "SystemRoot"}, pathName{HKEY_LOCAL_MACHINE, ntKey, "PathName"},
            winDir{HKEY_LOCAL_MACHINE, ntKey, "WinDir"}, setup{HKEY_LOCAL_MACHINE, std::string(ntKey) + "\\SETUP", "WinDir"};
        systemRoot.setString(c.systemRoot);
        winDir.remove();
        for (auto value : {std::make_pair(&pathName, c.pathName), std::make_pair(&setup, c.setupWinDir)})
            value.second ? value.first->setString(value.second) : value.first->remove();
        if (c.path) _putenv_s("PATH", here(c.path, false).c_str());
        writeFile("jinstall.log", "");
        EXPECT_TRUE(run.installation->getEnvironmentSetup());
        _putenv_s("PATH", savedPath.c_str());
        EXPECT_EQ(std::string(run.installation->getHomeDirectoryValue()), here(c.dir, c.path && std::string(c.dir) != "@"));
        EXPECT_EQ(readLogLines("jinstall.log"), c.trace);
        EXPECT_TRUE(run.installation->isWinNTFamily());
    }
}
