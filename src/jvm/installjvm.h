// InstallJvm: installs the package's JVM, by expanding its archive into a chosen folder or by running
// its own installer, then configures, registers and verifies it. It also answers the few questions
// about Windows that this needs, and writes the registry the careful way: nothing that holds text is
// ever overwritten.
#pragma once

#include "support/trace.h"

#include <windows.h>

#include <string>

class InstallJvm : public Trace {
public:
    InstallJvm();
    ~InstallJvm();

    void setHwnd(HWND window);

    // --- Installation procedures ---

    // True when a JVM that meets the version rules is in place: jvmPath (5001 bytes) holds its
    // launcher, and jvmInstalled tells whether this run put it on disk. jvmCommandName may be replaced
    // by the launcher found; after the JVM's own installer ran, predefinedJvmInstallDir and jvmHomeDir
    // are emptied.
    bool installJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmVersion,
                    char* jvmName, char* jvmCommandName, char* jvmSelfExtractor, char* predefinedJvmInstallDir,
                    char* jvmHomeDir, char* jvmPath, const char* homeDirectory);
    // Whether the JVM is installed by its own installer ("jvmThirdPartyInstaller").
    bool thirdPartyInstaller();
    bool installThirdPartyJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmVersion,
                              char* jvmName, char* jvmCommandName, char* jvmSelfExtractor,
                              char* predefinedJvmInstallDir, char* jvmHomeDir, char* jvmPath,
                              const char* homeDirectory, char* installDir);
    bool installCompressedJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmVersion,
                              char* jvmName, char* jvmCommandName, char* jvmSelfExtractor,
                              char* predefinedJvmInstallDir, char* jvmHomeDir, char* jvmPath,
                              const char* homeDirectory, char* installDir);
    // The command that runs the archive or installer, which lies in the current folder: its short path
    // form, or its full form in double quotes when the path keeps a blank. command holds 5001 bytes.
    // True when the file exists.
    bool getJvmInstallerCommand(const char* jvmSelfExtractor, char* command);
    // The search for an installed JVM, run again after the JVM's own installer.
    bool searchForJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmName,
                      char* jvmCommandName, char* jvmPath);

    // --- Target folder selection (installDir and dir hold 5001 bytes) ---

    // Chooses and creates the folder for the archive: the predefined folder, the Programs-folder
    // scheme, then the jvm subfolder scheme under the PATH folders and the current folder. Sets
    // foundExistingJvm (and jvmPath) when the folder already holds an acceptable JVM.
    bool createJvmDirectory(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                            const char* jvmVersion, const char* jvmName, char* jvmCommandName,
                            const char* predefinedJvmInstallDir, char* installDir, char* jvmPath,
                            unsigned char* foundExistingJvm);
    bool _createJvmDirectory(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                             const char* jvmVersion, const char* jvmName, char* jvmCommandName,
                             const char* predefinedJvmInstallDir, char* installDir, char* jvmPath,
                             unsigned char* foundExistingJvm);
    // The predefined folder with its variable expanded.
    bool getNewInstallJvmTo(const char* predefinedJvmInstallDir, char* dir);
    bool getVariableDir(const char* variable, const char* value, const char* predefinedJvmInstallDir, char* dir);
    bool createPredeterminedJvmDirectory(const char* jvmRequiredVersion, const char* jvmMinVersion,
                                         const char* jvmMaxVersion, const char* jvmVersion, const char* jvmName,
                                         char* jvmCommandName, char* dir, char* jvmPath, unsigned char* found);
    bool createWinJvmDirectory(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                               const char* jvmVersion, const char* jvmName, char* jvmCommandName, char* dir,
                               char* jvmPath, unsigned char* found);
    bool createJvmSubdirectory(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                               const char* jvmVersion, const char* jvmName, char* jvmCommandName, char* dir,
                               char* jvmPath, unsigned char* found);
    bool foundValidJvm(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                       char* jvmCommandName, const char* dir, char* jvmPath);
    // Creates dir\name (dir may be empty); on success dir becomes that folder. An existing folder counts.
    bool addDirectory(char* dir, const char* name);
    bool addDirectory(const char* path);

    // --- Configuration after install ---

    // Finds the launcher in dir or its "bin" folder, registers the JVM when configureRegistry asks for
    // it, and leaves the launcher's name in jvmCommandName (5001 bytes). False when there is none.
    bool configureJvm(const char* jvmVersion, const char* jvmName, char* jvmCommandName, const char* dir,
                      const char* homeDirectory, bool configureRegistry);
    bool configureWinJvm(const char* jvmVersion, const char* jvmName, const char* launcher, const char* dir,
                         const char* homeDirectory);
    bool _configureWinJvm(const char* jvmVersion, const char* jvmName, const char* launcher, const char* dir,
                          const char* homeDirectory);
    bool configureJre(const char* family, const char* micro, const char* home, const char* launcher);
    // Copies the launchers and msvcrt.dll into the Windows directory when this JVM's family is the
    // machine's current runtime. Always true.
    bool copyJreFilesToHome(const char* family, const char* home, const char* launcher);
    // Copies from to to, unless to exists already.
    bool copyJvmFile(const char* from, const char* to);

    // --- Windows facts and registry writing (dir holds 5001 bytes) ---

    bool isVistaOrWindows7();
    bool isWinNT();
    bool isDirInPath(const char* name, char* dir);
    bool getWindowsDirectory(char* dir);
    bool getProgramFilesDirectory(char* dir);
    bool getDocumentsDirectory(char* dir);
    // The Programs folder: the documents folder on Vista and later, the Program Files folder before.
    bool getProgramsDirectory(char* dir);
    // Opens or creates root\subkey for writing with the widest rights granted; the caller closes key.
    bool addToRegistry(HKEY root, const char* subkey, HKEY* key);
    // Sets name to value unless name holds text already. Always true.
    bool addValueToRegistry(HKEY key, const char* name, const char* value);

    // --- Registry configuration ---

    // Whether registry entries are to be written: never on Vista and later, otherwise as the control
    // file's "configureWinRegistry" says.
    bool configureWinReg();
    bool addJvmToRegistry(const char* key, const char* valueName, const char* version, const char* micro,
                          const char* home, const char* launcher);
    void addJvmTopLevelKey(const char* key, const char* version);
    void addJvmSubentries(HKEY versionKey, const char* valueName, const char* version, const char* micro,
                          const char* home, const char* launcher);
    bool configureJava2(const char* family, const char* micro, const char* home, const char* launcher);

    unsigned char jvmInstalled;     // 1 when installJvm put a new JVM on disk
    unsigned char foundExistingJvm; // 1 when the chosen folder already held an acceptable JVM

private:
    // Traces into the start folder's log while the archive runs elsewhere.
    void traceTo(const std::string& file, const char* first, const char* second);

    char* homeDirectory; // 5000 bytes: the Windows directory
    HWND hwnd;
};
