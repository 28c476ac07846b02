#include "jvmpackage.h"

#include "programrun.h"
#include "support/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace fs = std::filesystem;

Lines jvmFiles(const std::string& folder, const std::string& version, const char* launcher, bool hotspot)
{
    std::string prefix = folder.empty() ? "" : folder + "\\";
    Lines script{"copy fakejvm.bin " + prefix + launcher,
                 "write " + prefix + "fakejvm.txt result=java.version=" + version};
    if (hotspot) script.push_back("write " + prefix + "bin\\hotspot\\jvm.dll x");
    return script;
}

QDrive::QDrive()
{
    EXPECT_TRUE(fileExists("Q:\\")) << "the bench has no drive Q:";
}

QDrive::~QDrive()
{
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator("Q:\\", ignored)) fs::remove_all(entry.path(), ignored);
}

JvmPackage::JvmPackage()
{
    writeFile("jinstall.log", "");
    writeFile("jinstall.sem", "");
    writeFile("TestJvm.class", "");
    fs::create_directories("windir\\system");
    windowsDir = native() + "\\windir";
}

void JvmPackage::archive(const Lines& script)
{
    fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), "jre-archive.exe", fs::copy_options::overwrite_existing);
    fs::copy_file(programFromEnvironment("QIV_FAKEJVM"), "fakejvm.bin", fs::copy_options::overwrite_existing);
    std::string text;
    for (const std::string& line : script) text += line + "\n";
    writeFile("fakeinstaller.txt", text);
}

Lines JvmPackage::archiveCalls() const
{
    return readPlainLines(path() / "fakeinstaller-calls.txt");
}

void JvmPackage::control(const std::string& text)
{
    writeFile("qiv.control", text);
}

JvmPackage::Result JvmPackage::installJvm(const char* required, const char* version, const char* predefined,
                                          const char* homeDir, const char* name, const char* command,
                                          const char* extractor)
{
    auto values = std::make_unique<ControlValues>();
    std::strcpy(values->jvmRequiredVersion, required);
    std::strcpy(values->jvmVersion, version);
    std::strcpy(values->jvmName, name);
    std::strcpy(values->jvmCommandName, command);
    std::strcpy(values->jvmSelfExtractor, extractor);
    std::strcpy(values->predefinedJvmInstallDir, predefined);
    std::strcpy(values->jvmHomeDir, homeDir);
    char jvmPath[pathSize] = "";
    InstallJvm installer;
    bool ok = installer.installJvm(jvmRequestOf(*values), windowsDir.c_str(), jvmPath);
    return {ok,
            jvmPath,
            values->jvmCommandName,
            values->predefinedJvmInstallDir,
            values->jvmHomeDir,
            installer.jvmInstalled,
            installer.foundExistingJvm};
}

bool JvmPackage::traced(const std::string& line)
{
    Lines lines = trace();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string machineValue(const std::string& key, const char* name)
{
    char text[valueSize];
    readRegText(HKEY_LOCAL_MACHINE, key.c_str(), name, text, sizeof text);
    return text;
}

bool machineKeyExists(const std::string& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}
