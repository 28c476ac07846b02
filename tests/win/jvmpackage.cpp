#include "jvmpackage.h"

#include "programrun.h"
#include "support/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace fs = std::filesystem;

Lines jvmFiles(const std::string& folder, const std::string& version)
{
    std::string at = folder.empty() ? "" : folder + "\\";
    return {"copy fakejvm.bin " + at + "bin\\javaw.exe", "write " + at + "fakejvm.txt result=java.version=" + version,
            "write " + at + "bin\\hotspot\\jvm.dll x"};
}

JvmPackage::JvmPackage()
{
    EXPECT_TRUE(fileExists("Q:\\")) << "the bench has no drive Q:";
    for (const char* file : {"jinstall.log", "jinstall.sem", "TestJvm.class"}) writeFile(file, "");
    fs::create_directories("windir\\system");
}

JvmPackage::~JvmPackage()
{
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator("Q:\\", ignored)) fs::remove_all(entry.path(), ignored);
}

void JvmPackage::archive(const Lines& script)
{
    fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), "jre-archive.exe", fs::copy_options::overwrite_existing);
    fs::copy_file(programFromEnvironment("QIV_FAKEJVM"), "fakejvm.bin", fs::copy_options::overwrite_existing);
    std::string text;
    for (const std::string& line : script) text += line + "\n";
    writeFile("fakeinstaller.txt", text);
}

JvmPackage::Result JvmPackage::installJvm(const char* version, const char* predefined, const char* homeDir,
                                          const char* name)
{
    auto values = std::make_unique<ControlValues>();
    std::string family = version;
    std::strcpy(values->jvmRequiredVersion, family.substr(0, family.find('.', 2)).c_str());
    std::strcpy(values->jvmVersion, version);
    std::strcpy(values->jvmName, name);
    std::strcpy(values->jvmCommandName, "javaw.exe");
    std::strcpy(values->jvmSelfExtractor, "jre-archive.exe");
    std::strcpy(values->predefinedJvmInstallDir, predefined);
    std::strcpy(values->jvmHomeDir, homeDir);
    char jvmPath[pathSize] = "";
    InstallJvm installer;
    bool ok = installer.installJvm(jvmRequestOf(*values), windowsDir.c_str(), jvmPath);
    return {ok, jvmPath, values->predefinedJvmInstallDir, values->jvmHomeDir, installer.jvmInstalled,
            installer.foundExistingJvm};
}

std::string machineValue(const std::string& key, const char* name)
{
    char text[valueSize];
    readRegText(HKEY_LOCAL_MACHINE, key.c_str(), name, text, sizeof text);
    return text;
}
