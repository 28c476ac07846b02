// The cleanup at the end of every run.
#include "installrun.h"
#include "programrun.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <process.h>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

// A package folder after a run: the Windows directory and the start folder are folders of the test.
struct CleanupRun : InstallRun {
    ScopedRegValue systemRoot{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot"};
    std::string windows, start;

    CleanupRun() : InstallRun("package")
    {
        fs::create_directories("..\\start");
        fs::create_directories("..\\windows");
        start = fs::canonical("..\\start").string();
        windows = fs::canonical("..\\windows").string();
        systemRoot.setString(windows);
        writeFile("qiv.control", "jvmRequiredVersion=1.4\r\njvmVersion=1.4.2\r\njvmCommandName=javaw.exe\r\n");
        writeFile("startdir.txt", start + "\r\n");
    }

    // The run's preparation as the sequence does it: its own trace log, the Windows directory, the
    // control file.
    void prepare()
    {
        installation->getEnvironmentSetup();
        installation->getParams();
    }
};

// A symbolic link made by the host, as an unpacked archive could bring one.
bool makeLink(const std::string& unixTarget, const std::string& unixLink, const std::string& windowsLink)
{
    const char* const argv[] = {"ln", "-s", unixTarget.c_str(), unixLink.c_str(), nullptr};
    _spawnv(_P_NOWAIT, "Z:\\bin\\ln", argv); // Wine cannot wait for a host program: it is watched for
    return waitUntil([&] { return GetFileAttributesA(windowsLink.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000);
}

std::string unixPath(const std::string& windowsPath)
{
    std::string path = windowsPath.substr(2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace

TEST(Cleanup, SuccessfulRunLeavesNoOwnLogAndNoPackageFiles)
{
    CleanupRun run;
    run.prepare();
    fs::create_directories("META-INF");
    fs::create_directories("lib");
    writeFile("META-INF\\MANIFEST.MF", "Manifest-Version: 1.0\r\nName: lib/a.jar \r\nName: TestJvm.class\r\n"
                                       "name: qiv.control\r\nName: ..\\start\\keep.txt\r\n");
    for (const char* file : {"lib\\a.jar", "TestJvm.class", "install.jar", "swingall.jar", "changes.txt",
                             "native.properties"})
        writeFile(file, "x");
    writeFile(run.start + "\\keep.txt", "the user's");

    run.installation->cleanUp(true);
    for (const char* gone : {"lib\\a.jar", "TestJvm.class", "install.jar", "swingall.jar", "META-INF", "changes.txt",
                             "native.properties", "startdir.txt", "jinstall.log", "jinstall.sem"})
        EXPECT_FALSE(fileExists(gone)) << gone;
    EXPECT_TRUE(fileExists("qiv.control")) << "\"name:\" in lower case names nothing";
    EXPECT_EQ(readFile(run.start + "\\keep.txt"), "the user's") << "the manifest deletes nothing outside the package";
}

TEST(Cleanup, FailedRunEndsItsOwnLogAndCopiesTheLogs)
{
    CleanupRun run;
    run.prepare();
    run.installation->logAndTraceMessage("errors.log", "jinstall.log", "something failed");
    writeFile("qivpand.log", "");
    writeFile(run.start + "\\errors.log", "earlier run\r\n");

    run.installation->cleanUp(false);
    // The verdict ends the run's own lines; only the cleanup's own report of the log copy follows it.
    Lines trace = readLogLines("jinstall.log");
    ASSERT_GE(trace.size(), 2u);
    EXPECT_EQ(trace[trace.size() - 2], "install ok: false");
    EXPECT_EQ(trace.back(), "copying log files to " + run.start);
    EXPECT_FALSE(fileExists("jinstall.sem"));
    std::string copied = readFile(run.start + "\\errors.log");
    EXPECT_EQ(copied.substr(0, 13), "earlier run\r\n") << "appended to what was there";
    EXPECT_NE(copied.find("something failed"), std::string::npos);
    EXPECT_TRUE(fileExists(run.start + "\\jinstall.log"));
    EXPECT_FALSE(fileExists(run.start + "\\qivpand.log")) << "an empty qivpand.log is not copied";
}

TEST(Cleanup, EmptyErrorsLogIsDeletedAndNotCopiedNonEmptyQivpandIs)
{
    CleanupRun run;
    writeFile("jinstall.log", ""); // the user's own: kept
    run.prepare();
    writeFile("errors.log", "");
    writeFile("qivpand.log", "unpacked 12 files\r\n");
    run.installation->cleanUp(true);
    EXPECT_FALSE(fileExists("errors.log"));
    EXPECT_FALSE(fileExists(run.start + "\\errors.log"));
    EXPECT_EQ(readFile(run.start + "\\qivpand.log"), "unpacked 12 files\r\n");
    EXPECT_TRUE(fileExists("jinstall.log"));
    EXPECT_TRUE(fileExists(run.start + "\\jinstall.log"));
}

TEST(Cleanup, StartFolderEqualToThePackageFolderCopiesNothing)
{
    CleanupRun run;
    run.prepare();
    std::string same = run.native();
    std::transform(same.begin(), same.end(), same.begin(), [](unsigned char c) { return std::toupper(c); });
    writeFile("startdir.txt", same + "\r\n");
    writeFile("errors.log", "x\r\n");
    run.installation->cleanUp(false);
    EXPECT_TRUE(fs::is_empty(run.start));
}

TEST(Cleanup, WriteProtectedStartFolderSendsTheLogsToTheWindowsDirectory)
{
    std::string readOnly = benchFolder("readonly");
    if (readOnly.empty()) GTEST_SKIP() << "the bench could not make a read-only folder on this machine";
    {
        CleanupRun run;
        run.prepare();
        writeFile("startdir.txt", readOnly + "\r\n");
        writeFile("errors.log", "failure\r\n");
        run.installation->cleanUp(false);
        EXPECT_EQ(readFile(run.windows + "\\errors.log"), "failure\r\n");
        EXPECT_TRUE(run.installation->isDirWriteProtected(readOnly.c_str()));
        EXPECT_FALSE(run.installation->isDirWriteProtected(run.windows.c_str()));
        EXPECT_FALSE(fileExists(run.windows + "\\__qivtest.zos")) << "the write test leaves nothing behind";
    }
    {
        SCOPED_TRACE("the Windows directory is protected too");
        CleanupRun run;
        run.systemRoot.setString(readOnly);
        run.prepare();
        writeFile("startdir.txt", readOnly + "\r\n");
        writeFile("errors.log", "failure\r\n");
        MessageBoxCatcher catcher;
        run.installation->cleanUp(false);
        ASSERT_EQ(catcher.boxes().size(), 1u);
        EXPECT_EQ(catcher.boxes()[0].text, std::string("Unable to save errors.log\r\rTry installing from a "
                                                       "non-write protected drive.") +
                                               englishSuffix());
    }
}

TEST(Cleanup, TemporaryJvmIsConfiguredWhereItNowIsAndItsCopyRemoved)
{
    CleanupRun run;
    run.prepare();
    fs::create_directories("jre\\bin\\hotspot");
    writeFile("jre\\bin\\javaw.exe", "x");
    writeFile("jre\\bin\\hotspot\\jvm.dll", "x");
    fs::create_directories("..\\final\\bin");
    writeFile("..\\final\\bin\\javaw.exe", "x");
    std::string final = fs::canonical("..\\final").string();
    // As the wizard writes it, with Java's properties escapes.
    std::string escaped;
    for (char c : final) escaped += c == '\\' ? std::string("\\\\") : c == ':' ? std::string("\\:") : std::string(1, c);
    std::string temp;
    for (char c : run.native() + "\\jre") temp += c == '\\' ? '/' : c;
    writeFile("native.properties", "#Written by the wizard\r\nnativeJvmHomeDir=" + escaped +
                                       "\r\nnativeJvmInstalled=true\r\nnativeJvmInstalledInTemp=true\r\n"
                                       "nativeTempJvmDir=" + temp + "\r\nconfigureWinRegistry=true\r\n");
    run.installation->cleanUp(false);
    EXPECT_FALSE(fileExists("jre")) << "the temporary copy is removed";
    EXPECT_TRUE(fileExists(final + "\\bin\\javaw.exe"));
    Lines trace = readLogLines("jinstall.log");
    auto has = [&](const std::string& line) { return std::find(trace.begin(), trace.end(), line) != trace.end(); };
    EXPECT_TRUE(has("jvmLocation " + final)) << "Java's escapes are read back";
    EXPECT_TRUE(has("about to configure jvm 1.4.2"));
    EXPECT_TRUE(has("configureJvm ok: true"));
    EXPECT_TRUE(has("removing all files and subdirs from " + run.native() + "\\jre"));
}

TEST(Cleanup, NoTemporaryJvmNoConfigurationAndTheLocationWhenNoTempFolderIsNamed)
{
    {
        CleanupRun run;
        run.prepare();
        fs::create_directories("jre\\bin");
        writeFile("jre\\bin\\javaw.exe", "x");
        writeFile("native.properties", "nativeJvmHomeDir=" + run.native() + "\\jre\r\nnativeJvmInstalledInTemp=false\r\n");
        run.installation->cleanUp(false);
        EXPECT_TRUE(fileExists("jre\\bin\\javaw.exe"));
    }
    {
        CleanupRun run;
        run.prepare();
        fs::create_directories("jre\\bin");
        writeFile("jre\\bin\\javaw.exe", "x");
        std::string slashed = run.native() + "\\jre";
        std::replace(slashed.begin(), slashed.end(), '\\', '/'); // as the installation writes the record
        writeFile("native.properties", "nativeJvmHomeDir=" + slashed + "\r\nnativeJvmInstalledInTemp=TRUE\r\n"
                                                                         "configureWinRegistry=no\r\n");
        run.installation->cleanUp(false);
        EXPECT_FALSE(fileExists("jre"));
        Lines trace = readLogLines("jinstall.log");
        EXPECT_EQ(std::find(trace.begin(), trace.end(), "about to configure jvm 1.4.2"), trace.end())
            << "configureWinRegistry=no: nothing to configure";
    }
}

TEST(Cleanup, TemporaryFolderOutsideThePackageIsNeverRemoved)
{
    CleanupRun run;
    run.prepare();
    fs::create_directories("..\\elsewhere");
    writeFile("..\\elsewhere\\precious.txt", "x");
    std::string elsewhere = fs::canonical("..\\elsewhere").string();
    std::string slashed = elsewhere;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    writeFile("native.properties", "nativeJvmHomeDir=" + slashed + "\r\nnativeJvmInstalledInTemp=true\r\n"
                                                                  "configureWinRegistry=no\r\n");
    run.installation->cleanUp(false);
    EXPECT_TRUE(fileExists(elsewhere + "\\precious.txt"));
    Lines trace = readLogLines("jinstall.log");
    EXPECT_NE(std::find(trace.begin(), trace.end(),
                        "Warning: not deleting a folder outside the package folder: " + elsewhere),
              trace.end());
}

TEST(RemoveDirAndSubdirs, FoldersWithMoreAttributesAreFoldersToo)
{
    CleanupRun run;
    fs::create_directories("jre\\lib\\ext");
    writeFile("jre\\lib\\ext\\a.jar", "x");
    ASSERT_TRUE(SetFileAttributesA("jre\\lib", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(run.installation->removeDirAndSubdirs((run.native() + "\\jre").c_str()));
    EXPECT_FALSE(fileExists("jre"));
}

TEST(RemoveDirAndSubdirs, LinkIsNeverFollowed)
{
    CleanupRun run;
    fs::create_directories("target");
    writeFile("target\\keep.txt", "kept");
    fs::create_directories("jre");
    writeFile("jre\\a.txt", "x");
    std::string link = run.native() + "\\jre\\link";
    ASSERT_TRUE(makeLink(unixPath(run.native() + "\\target"), unixPath(link), link));
    ASSERT_EQ(GetFileAttributesA(link.c_str()) & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
              static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));

    bool removed = run.installation->removeDirAndSubdirs((run.native() + "\\jre").c_str());
    EXPECT_EQ(readFile("target\\keep.txt"), "kept") << "what the link points to is never touched";
    EXPECT_EQ(removed, !fileExists(link)) << "a link that could not be removed is no success";
}
