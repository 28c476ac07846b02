// The test run of a candidate JVM: its launcher is located in its home folder, started on the
// package's test class, and the version it reports is judged.
#include "jvm/jvmok.h"

#include "jvm/launchtext.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/handles.h"
#include "support/spawnargs.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <process.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
const char* const testClassFile = "TestJvm.class";
const char* const resultFile = "jvmGood.txt";
constexpr unsigned testRunBound = 120; // seconds

// How long the test class may run. A whole run can be told nothing but its environment, so a test
// bench shortens the bound there (QIV_TEST_JVM_SECONDS); nothing lengthens or lifts it.
unsigned testRunSeconds()
{
    char setting[16] = "";
    DWORD length = GetEnvironmentVariableA("QIV_TEST_JVM_SECONDS", setting, sizeof setting);
    return testRunLimit(length < sizeof setting ? setting : "", testRunBound);
}

// Waits for the test run; a JVM that outlives the limit (one waiting for console input, say) is ended,
// so that the search can go on. True when it ended by itself.
bool endedInTime(HANDLE handle, unsigned seconds)
{
    UniqueKernelHandle process(handle);
    if (WaitForSingleObject(process.get(), seconds * 1000) == WAIT_OBJECT_0) return true;
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 5000); // it lets go of the package's files first
    return false;
}
} // namespace

bool JvmOk::jvmCorrectVersion(const VersionRules& rules, const char* version, const char* javaHome,
                              char* jvmCommandName, char* jvmPath)
{
    std::string given = jvmCommandName;
    if (!jvmCorrectVersion(rules, javaHome, jvmCommandName, jvmPath)) {
        copyText(jvmCommandName, launcherNameSize, given.c_str());
        return false;
    }
    if (verifyVersion(rules, version)) return true;
    traceMessage(traceLog, "jvm doesn't meet criteria");
    copyText(jvmCommandName, launcherNameSize, given.c_str());
    return false;
}

bool JvmOk::jvmCorrectVersion(const VersionRules& rules, const char* javaHome, char* jvmCommandName, char* jvmPath)
{
    std::string given = jvmCommandName;
    auto tryName = [&]() {
        // A path that does not fit its buffer names no launcher of ours.
        if (formatText(jvmPath, pathSize, "%s%s%s", javaHome, "\\", jvmCommandName) &&
            correctVersion(rules, jvmPath))
            return true;
        return formatText(jvmPath, pathSize, "%s%s%s%s%s", javaHome, "\\", "bin", "\\", jvmCommandName) &&
               correctVersion(rules, jvmPath);
    };
    if (tryName()) return true;
    if (startsWith(jvmCommandName, "jre")) {
        copyText(jvmCommandName, launcherNameSize, pathExists("jinstall.sem") ? "javaw.exe" : "java.exe");
        if (tryName()) return true;
    }
    copyText(jvmCommandName, launcherNameSize, given.c_str());
    return false;
}

bool JvmOk::correctVersion(const VersionRules& rules, const char* jvmPath)
{
    if (!pathExists(jvmPath)) return false;
    return testVersion(rules, jvmPath);
}

bool JvmOk::testVersion(const VersionRules& rules, const char* jvmPath)
{
    if (!pathExists(testClassFile)) return true;
    traceMessage(traceLog, "testing ", jvmPath);
    removeFile(resultFile);

    char folder[pathSize];
    getCurrentDir(folder);
    std::string className = testClassFile;
    className.erase(className.find(".class"));
    _putenv("CLASSPATH=");

    // The class gets the folder as one argument, also when the folder has blanks.
    std::string folderArgument = asOneArgument(folder);
    const char* const argv[] = {fileNamePart(jvmPath), "-cp", ".", className.c_str(), folderArgument.c_str(), nullptr};
    intptr_t started = _spawnv(_P_NOWAIT, jvmPath, argv);
    int errorNumber = errno;
    bool ok = false;
    unsigned limit = testRunSeconds();
    if (started == -1) {
        std::string message = std::string("Error running JVM: ") + launchFailureText(errorNumber);
        logAndTraceMessage(errorsLog, traceLog, message.c_str(), false);
    } else if (!endedInTime(reinterpret_cast<HANDLE>(started), limit)) {
        std::string message = "test jvm did not end within " + std::to_string(limit) + " s and was stopped";
        logAndTraceMessage(errorsLog, traceLog, message.c_str(), false);
    } else {
        traceMessage(traceLog, "test jvm launched ok", true);
        ok = checkVersion(resultFile, rules);
        if (ok)
            traceMessage(traceLog, "test jvm ok", true);
        else
            logAndTraceMessage(errorsLog, traceLog, "Jvm isn't installed properly.");
    }
    removeFile(resultFile);
    return ok;
}

bool JvmOk::checkVersion(const char* resultFileName, const VersionRules& rules)
{
    UniqueFile file(resultFileName, "rb");
    if (!file) {
        traceMessage(traceLog, "Unable to verify version", resultFileName);
        return false;
    }
    char line[lineSize] = "";
    TextReader reader(file.get());
    reader.readPiece(line, pieceSize);
    bool ok = testLine(line, rules);
    traceMessage(traceLog, "version checked ok", ok);
    return ok;
}
