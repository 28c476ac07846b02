// The test run of a candidate JVM: its launcher is located in its home folder, started on the
// package's test class, and the version it reports is judged.
#include "jvm/jvmok.h"

#include "jvm/launchtext.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/spawnargs.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <process.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
const char* const errorsLog = "errors.log";
const char* const traceLog = "jinstall.log";
const char* const testClassFile = "TestJvm.class";
const char* const resultFile = "jvmGood.txt";
constexpr std::size_t nameSize = 5001;
constexpr std::size_t pathSize = 5001;
} // namespace

bool JvmOk::jvmCorrectVersion(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                              const char* version, const char* javaHome, char* jvmCommandName, char* jvmPath)
{
    std::string given = jvmCommandName;
    if (!jvmCorrectVersion(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, javaHome, jvmCommandName, jvmPath)) {
        copyText(jvmCommandName, nameSize, given.c_str());
        return false;
    }
    if (verifyVersion(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, version)) return true;
    traceMessage(traceLog, "jvm doesn't meet criteria");
    copyText(jvmCommandName, nameSize, given.c_str());
    return false;
}

bool JvmOk::jvmCorrectVersion(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                              const char* javaHome, char* jvmCommandName, char* jvmPath)
{
    std::string given = jvmCommandName;
    auto tryName = [&]() {
        // A path that does not fit its buffer names no launcher of ours.
        if (formatText(jvmPath, pathSize, "%s%s%s", javaHome, "\\", jvmCommandName) &&
            correctVersion(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmPath))
            return true;
        return formatText(jvmPath, pathSize, "%s%s%s%s%s", javaHome, "\\", "bin", "\\", jvmCommandName) &&
               correctVersion(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmPath);
    };
    if (tryName()) return true;
    if (startsWith(jvmCommandName, "jre")) {
        copyText(jvmCommandName, nameSize, pathExists("jinstall.sem") ? "javaw.exe" : "java.exe");
        if (tryName()) return true;
    }
    copyText(jvmCommandName, nameSize, given.c_str());
    return false;
}

bool JvmOk::correctVersion(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                           const char* jvmPath)
{
    if (!pathExists(jvmPath)) return false;
    return testVersion(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmPath);
}

bool JvmOk::testVersion(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                        const char* jvmPath)
{
    if (!pathExists(testClassFile)) return true;
    traceMessage(traceLog, "testing ", jvmPath);
    removeFile(resultFile);

    char folder[5001];
    getCurrentDir(folder);
    std::string className = testClassFile;
    className.erase(className.find(".class"));
    _putenv("CLASSPATH=");

    // The class gets the folder as one argument, also when the folder has blanks.
    std::string folderArgument = asOneArgument(folder);
    const char* const argv[] = {fileNamePart(jvmPath), "-cp", ".", className.c_str(), folderArgument.c_str(), nullptr};
    intptr_t started = _spawnv(_P_WAIT, jvmPath, argv);
    int errorNumber = errno;
    bool ok = false;
    if (started == -1) {
        std::string message = std::string("Error running JVM: ") + launchFailureText(errorNumber);
        logAndTraceMessage(errorsLog, traceLog, message.c_str(), false);
    } else {
        traceMessage(traceLog, "test jvm launched ok", true);
        ok = checkVersion(resultFile, jvmRequiredVersion, jvmMinVersion, jvmMaxVersion);
        if (ok)
            traceMessage(traceLog, "test jvm ok", true);
        else
            logAndTraceMessage(errorsLog, traceLog, "Jvm isn't installed properly.");
    }
    removeFile(resultFile);
    return ok;
}

bool JvmOk::checkVersion(const char* resultFileName, const char* jvmRequiredVersion, const char* jvmMinVersion,
                         const char* jvmMaxVersion)
{
    UniqueFile file(resultFileName, "rb");
    if (!file) {
        traceMessage(traceLog, "Unable to verify version", resultFileName);
        return false;
    }
    char line[1001] = "";
    TextReader reader(file.get());
    reader.readPiece(line, 999);
    bool ok = testLine(line, jvmRequiredVersion, jvmMinVersion, jvmMaxVersion);
    traceMessage(traceLog, "version checked ok", ok);
    return ok;
}
