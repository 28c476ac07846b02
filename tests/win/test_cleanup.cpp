// The cleanup at the end of every run.
#include "installrun.h"

#include "support/handles.h"

#include <process.h>

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
        // The run's preparation as the sequence does it: its own trace log, the Windows directory, the control file.
        installation->getEnvironmentSetup();
        installation->getParams();
    }
    static std::string shortName(const std::string& path)
    {
        std::string name(MAX_PATH, '\0');
        return name.resize(GetShortPathNameA(path.c_str(), name.data(), MAX_PATH)), name;
    }
};

// A symbolic link to a folder made by the host, as an unpacked archive could bring one. Wine can neither
// wait for a host program (the link is watched for) nor remove the link: the host does.
struct HostLink {
    const std::string link;
    bool onHost(std::vector<std::string> args, bool there) const
    {
        std::vector<const char*> argv;
        for (std::string& arg : args)
            std::replace(arg.begin(), arg.end(), '\\', '/'), argv.push_back(arg.c_str() + (arg[1] == ':' ? 2 : 0));
        argv.push_back(nullptr);
        _spawnv(_P_NOWAIT, ("Z:\\bin\\" + args[0]).c_str(), argv.data());
        return waitUntil([&] { return (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) == there; }, 5000);
    }
    ~HostLink() { onHost({"rm", link}, false); }
};

} // namespace

// The manifest removes package files only; a failed run's logs go to the start folder or Windows, never to themselves,
// and an errors.log copy cut short by a full start disk is as lost as one never made: the user is told.
TEST(Cleanup, RemovesThePackageFilesThenCopiesTheLogs)
{
    const std::string readOnly = benchFolder("readonly"), disk = benchFolder("smalldisk"); // empty: none here
    enum Start { other, shortName, protectedStart, fullDisk };
    struct Case { const char* what; bool ok; Start start; bool windowsInPackage; const char* copiedTo; } cases[] = {
        {"a successful run: an empty errors.log is deleted, not copied", true, other, false, ""},
        {"start folder elsewhere", false, other, false, "start"},
        {"the package folder by its short name", false, shortName, false, ""},
        {"write-protected start folder", false, protectedStart, false, "windows"},
        {"the Windows directory is the package folder", false, protectedStart, true, ""},
        {"a full start disk", false, fullDisk, false, "disk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if ((c.start == protectedStart && readOnly.empty()) || (c.start == fullDisk && disk.empty())) continue;
        CleanupRun run;
        writeFile("__qivinstall.sem", "");
        std::string shortName = run.shortName(run.native()), semName = run.shortName("__qivinstall.sem");
        ASSERT_NE(_stricmp(shortName.c_str(), run.native().c_str()), 0) << "Wine gives the test folder a short name";
        fs::create_directories("META-INF");
        writeFile("META-INF\\MANIFEST.MF", "Name: TestJvm.class\r\nName: ..\\start\\keep.txt\r\n"
                                         "Name: ./x/../QIV.CONTROL\r\nName: " + semName + "\r\n");
        for (const char* file : {"TestJvm.class", "swingall.jar", "changes.txt"}) writeFile(file, "");
        writeFile(run.start + "\\keep.txt", "the user's");
        if (c.windowsInPackage) run.systemRoot.setString(run.native() + "\\"), run.installation->getEnvironmentSetup();
        if (c.ok) writeFile("errors.log", "");
        else run.installation->logAndTraceMessage("errors.log", "jinstall.log", "something failed");
        if (!c.ok) writeFile(run.start + "\\errors.log", "earlier run\r\n");
        if (c.start == fullDisk) {
            ULARGE_INTEGER free{};
            GetDiskFreeSpaceExA(disk.c_str(), &free, nullptr, nullptr);
            writeFile(disk + "\\filler", std::string(free.QuadPart - (16 << 10), 'f'));
            writeFile("errors.log", std::string(80 << 10, 'e'));
        }
        const std::string spelt[] = {run.start, shortName, readOnly, disk};
        writeFile("startdir.txt", spelt[c.start] + "\r\n");
        MessageBoxCatcher catcher;
        run.installation->cleanUp(c.ok);
        if (c.start == fullDisk)
            for (const char* file : {"\\errors.log", "\\filler"}) fs::remove(disk + file);
        ASSERT_EQ(catcher.boxes().size(), c.start == fullDisk ? 1u : 0u);
        EXPECT_TRUE(c.start != fullDisk || catcher.boxes()[0].text.rfind("Unable to save errors.log", 0) == 0)
            << catcher.boxes()[0].text;
        for (const char* gone : {"TestJvm.class", "swingall.jar", "changes.txt", "META-INF"})
            EXPECT_FALSE(fileExists(gone)) << gone;
        EXPECT_EQ(readFile(run.start + "\\keep.txt"), "the user's") << "the manifest deletes nothing outside the package";
        EXPECT_TRUE(fileExists("qiv.control") && fileExists("__qivinstall.sem")) << "nor the run's own files, however spelt";
        if (c.ok) {
            EXPECT_FALSE(fileExists("jinstall.log") || fileExists("errors.log") || fileExists(run.start + "\\errors.log"));
            continue;
        }
        const std::string to = *c.copiedTo == 's' ? run.start : *c.copiedTo == 'w' ? run.windows : *c.copiedTo ? disk : "";
        Lines trace = readLogLines("jinstall.log"), ending{"install ok: false"};
        if (*c.copiedTo) ending.push_back("copying log files to " + to); // only that follows the verdict
        ASSERT_GE(trace.size(), ending.size());
        EXPECT_EQ(Lines(trace.end() - ending.size(), trace.end()), ending);
        const std::string errors = readFile("errors.log");
        EXPECT_EQ(readFile(run.start + "\\errors.log"), "earlier run\r\n" + (to == run.start ? errors : ""));
        EXPECT_EQ(fileExists(run.windows + "\\errors.log") ? readFile(run.windows + "\\errors.log") : "",
                  to == run.windows ? errors : "");
    }
}

// A temporary JVM of the package is configured where it now lies and removed; a folder outside the package never is.
TEST(Cleanup, TemporaryJvmOfTheRecord)
{
    CleanupRun run;
    const std::string pkg = run.native(), final = pkg + "\\final", away = pkg + "\\..\\away";
    auto slashed = [](std::string path) { return std::replace(path.begin(), path.end(), '\\', '/'), path; };
    const std::string removing = "removing all files and subdirs from " + pkg + "\\jre";
    // Each line of trace traced; "about to configure" only where named.
    struct Case { const char* what; std::string record; bool jreGone; Lines trace; } cases[] = {
        {"outside the package",
         "nativeJvmHomeDir=" + slashed(away) + "\r\nnativeJvmInstalledInTemp=true\r\nconfigureWinRegistry=no\r\n", false,
         {"Warning: not deleting a folder outside the package folder: " + away}},
        {"moved by the wizard", "nativeJvmHomeDir=" + slashed(final) + "\r\nnativeJvmInstalled=true\r\n"
         "nativeJvmInstalledInTemp=true\r\nnativeTempJvmDir=" + slashed(pkg) + "/jre\r\nconfigureWinRegistry=true\r\n", true,
         {"jvmLocation " + final, "about to configure jvm 1.4.2", "configureJvm ok: true", removing}},
        {"relative, without a temporary folder", "nativeJvmHomeDir=jre\r\nnativeJvmInstalledInTemp=TRUE\r\n"
         "configureWinRegistry=no\r\n", true, {removing}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* file : {"jre\\bin\\javaw.exe", "jre\\lib\\ext\\a.jar", "final\\bin\\javaw.exe", "..\\away\\keep.txt"})
            fs::create_directories(fs::path(file).parent_path()), writeFile(file, "kept");
        ASSERT_TRUE(SetFileAttributesA("jre\\lib", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));
        writeFile("jinstall.log", "");
        writeFile("native.properties", c.record);
        run.installation->cleanUp(false);
        EXPECT_EQ(fileExists("jre"), !c.jreGone);
        EXPECT_EQ(readFile("final\\bin\\javaw.exe") + readFile("..\\away\\keep.txt"), "keptkept");
        for (const std::string& line : c.trace) EXPECT_TRUE(traced(line)) << line;
        EXPECT_EQ(traced("about to configure jvm 1.4.2"), c.trace.size() > 2) << "configureWinRegistry=no";
    }
}

// What a link points to is never touched; Wine opens a host link's target, so there the links stay, reported.
TEST(RemoveDirAndSubdirs, LinkIsNeverFollowed)
{
    for (auto [link, empty] : {std::pair{"jre\\link", false}, {"jre\\link", true}, {"jre", false}}) {
        SCOPED_TRACE(std::string(link) + (empty ? " to an empty folder" : ""));
        CleanupRun run;
        fs::create_directories("target");
        if (!empty) writeFile("target\\keep.txt", "kept");
        if (std::string(link) != "jre") fs::create_directories("jre"), writeFile("jre\\a.txt", "");
        HostLink host{run.native() + "\\" + link};
        ASSERT_TRUE(host.onHost({"ln", "-s", run.native() + "\\target", host.link}, true));
        bool removed = run.installation->removeDirAndSubdirs((run.native() + "\\jre").c_str());
        EXPECT_TRUE(fs::is_directory("target") && readFile("target\\keep.txt") == (empty ? "" : "kept"))
            << "what the link points to is never touched";
        EXPECT_EQ(removed, !fileExists(link)) << "a link that could not be removed is no success";
    }
}

// The cleanup program's wait for a qivstart.exe that never ends is bounded, and what it cannot remove is listed.
TEST(CleanupProgram, EndsWithinItsBoundAndListsWhatStays)
{
    TestFolder start("start");
    const std::string pkg = start.native() + "\\pkg";
    for (const std::string& file : {pkg + "\\a\\b.txt", pkg + "\\held.txt"})
        fs::create_directories(fs::path(file).parent_path()), writeFile(file, "x");
    writeFile(pkg + "\\errors.log", "an error\r\n"); // stays for the unpacker's verdict
    fs::copy_file(programFromEnvironment("QIV_CLEANUP"), pkg + "\\__cleanup.exe");
    UniqueFileHandle held(CreateFileA((pkg + "\\held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    FakeJvmHome never(pkg, {"qivstart.exe"}, {"sleep=60000"});
    ProgramRun startup(pkg + "\\qivstart.exe", "", pkg);
    ScopedEnv startDir("QIV_START_DIR", start.native().c_str()), wait("QIV_CLEANUP_WAIT_MS", "1500");
    ProgramRun run(pkg + "\\__cleanup.exe", "\"" + pkg + "\"", pkg);
    ASSERT_TRUE(run.waitForExit(6000)) << "the wait for qivstart.exe is bounded";
    EXPECT_EQ(run.exitCode(), 1u);
    EXPECT_EQ(readPlainLines("cleanup.log"), (Lines{"qivstart.exe did not end within its time", "not removed: " + pkg + "\\held.txt",
                          "not removed: " + pkg + "\\qivstart.exe"}));
    for (const char* kept : {"__cleanup.exe", "errors.log", "held.txt", "qivstart.exe"})
        EXPECT_TRUE(fileExists(pkg + "\\" + kept)) << kept;
    EXPECT_FALSE(fileExists(pkg + "\\a\\b.txt"));
}
