// InstallJvm: installs the package's JVM, by expanding its archive into a chosen folder or by running
// its own installer, then configures, registers and verifies it. The registry is written the careful
// way: nothing that holds text is ever overwritten. Folders are pathSize-byte buffers.
#pragma once

#include "jvm/jvmrequest.h"
#include "support/trace.h"

#include <windows.h>

#include <string>

class InstallJvm : public Trace {
public:
    InstallJvm();
    ~InstallJvm();
    void setHwnd(HWND window);

    // --- Installation procedures (installjvm.cpp) ---
    // True when a JVM that meets the rules is in place, with its launcher in jvmPath; jvmInstalled
    // tells whether this run put it on disk.
    bool installJvm(const JvmRequest& request, const char* homeDirectory, char* jvmPath);
    bool thirdPartyInstaller(); // "jvmThirdPartyInstaller": the JVM comes with its own installer
    bool installThirdPartyJvm(const JvmRequest& request, char* jvmPath, char* installDir);
    bool installCompressedJvm(const JvmRequest& request, const char* homeDirectory, char* jvmPath,
                              char* installDir);
    // The command that runs the archive or installer in the current folder: its short path, or its
    // full path in double quotes when a blank stays. True when the file exists.
    bool getJvmInstallerCommand(const char* jvmSelfExtractor, char* command);
    bool searchForJvm(const JvmRequest& request, char* jvmPath);

    // --- Target folder selection (jvmdir.cpp) ---
    // The predefined folder, the Programs-folder scheme, then the jvm subfolder scheme under the PATH
    // folders and the current folder.
    DirChoice createJvmDirectory(const JvmRequest& request, char* installDir, char* jvmPath);
    DirChoice _createJvmDirectory(const JvmRequest& request, char* installDir, char* jvmPath);
    bool getNewInstallJvmTo(const char* predefinedJvmInstallDir, char* dir);
    bool getVariableDir(const char* variable, const char* value, const char* predefinedJvmInstallDir, char* dir);
    DirChoice createPredeterminedJvmDirectory(const JvmRequest& request, char* dir, char* jvmPath);
    DirChoice createWinJvmDirectory(const JvmRequest& request, char* dir, char* jvmPath);
    DirChoice createJvmSubdirectory(const JvmRequest& request, char* dir, char* jvmPath);
    bool foundValidJvm(const JvmRequest& request, const char* dir, char* jvmPath);
    // Creates dir\name (dir may be empty); on success dir becomes that folder. An existing one counts.
    bool addDirectory(char* dir, const char* name);
    bool addDirectory(const char* path);

    // --- Configuration after install (jvmconfig.cpp) ---
    // Finds the launcher in dir or its "bin" folder, registers the JVM when configureRegistry asks for
    // it, and leaves the launcher's name in jvmCommandName. False when there is none.
    bool configureJvm(const char* jvmVersion, const char* jvmName, char* jvmCommandName, const char* dir,
                      const char* homeDirectory, bool configureRegistry);
    bool configureWinJvm(const char* jvmVersion, const char* jvmName, const char* launcher, const char* dir);
    bool _configureWinJvm(const char* jvmVersion, const char* jvmName, const char* launcher, const char* dir);
    bool configureJre(const char* family, const char* micro, const char* home, const char* launcher);
    // The launchers and msvcrt.dll into the Windows directory, for the machine's current runtime.
    bool copyJreFilesToHome(const char* family, const char* home, const char* launcher);
    bool copyJvmFile(const char* from, const char* to); // unless to exists

    // --- Registry writing (jvmreg.cpp) ---
    // Never on Vista and later; otherwise as the control file's "configureWinRegistry" says.
    bool configureWinReg();
    bool addJvmToRegistry(const char* key, const char* version, const char* micro, const char* home,
                          const char* launcher);
    void addJvmTopLevelKey(const char* key, const char* version);
    void addJvmSubentries(HKEY versionKey, const char* version, const char* micro, const char* home,
                          const char* launcher);
    bool configureJava2(const char* family, const char* micro, const char* home, const char* launcher);
    // Opens or creates root\subkey for writing with the widest rights granted; the caller closes key.
    bool addToRegistry(HKEY root, const char* subkey, HKEY* key);
    bool addValueToRegistry(HKEY key, const char* name, const char* value); // unless name holds text

    bool jvmInstalled = false;     // installJvm put a new JVM on disk
    bool foundExistingJvm = false; // the chosen folder already held an acceptable JVM

private:
    // Traces into the start folder's log while the archive runs elsewhere.
    void traceTo(const std::string& file, const char* first, const char* second);

    char homeDirectory[valueSize] = ""; // the Windows directory
    HWND hwnd = nullptr;
};
