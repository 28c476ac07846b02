#include "jvm/installrules.h"

#include "support/textbuf.h"

#include <cstring>

std::string installerFileName(const char* jvmSelfExtractor)
{
    const char* slash = std::strrchr(jvmSelfExtractor, '/');
    return slash ? slash + 1 : jvmSelfExtractor;
}

const char* installVariableText(InstallVariable variable)
{
    switch (variable) {
    case InstallVariable::programFiles:
        return "[$ProgFilesDir]";
    case InstallVariable::windows:
        return "[$WinDir]";
    case InstallVariable::application:
        return "[$AppDir]";
    default:
        return "";
    }
}

bool hasVariableMarker(const char* predefined)
{
    return std::strstr(predefined, "[$") != nullptr;
}

InstallVariable findInstallVariable(const char* predefined)
{
    for (InstallVariable variable :
         {InstallVariable::programFiles, InstallVariable::windows, InstallVariable::application})
        if (std::strstr(predefined, installVariableText(variable))) return variable;
    return InstallVariable::none;
}

VariableDir expandVariableDir(const char* variable, const char* value, const char* predefined, std::string& dir)
{
    dir.clear();
    std::string test = std::string(variable) + "\\";
    const char* at = std::strstr(predefined, test.c_str());
    if (!at) return VariableDir::notFollowedByFolder;
    if (test == predefined) return VariableDir::bare;
    dir = std::string(value) + (at + std::strlen(variable));
    return VariableDir::valid;
}

std::string driveOf(const std::string& folder)
{
    std::size_t colon = folder.find(':');
    return colon == std::string::npos ? "" : folder.substr(0, colon + 1);
}

bool isKnownJvmName(const char* jvmName)
{
    return startsWith(jvmName, "JRE") || startsWith(jvmName, "JDK") || startsWith(jvmName, "Java Plug-in");
}

std::string registryJvmHome(const char* dir)
{
    std::string home = dir;
    lowerAscii(home.data());
    // The last "\bin" that is a whole folder name; "\binaries" is no bin folder.
    for (std::size_t from = home.size(); from > 0;) {
        std::size_t at = home.rfind("\\bin", from - 1);
        if (at == std::string::npos) break;
        if (at + 4 == home.size() || home[at + 4] == '\\') {
            home.erase(at);
            break;
        }
        from = at;
    }
    return home;
}

std::string launcherPartner(const char* family, const char* launcher)
{
    std::string base = launcher;
    std::size_t exe = base.find(".exe");
    if (exe != std::string::npos) base.erase(exe);
    if (startsWith(family, "1.1")) return base == "jrew" ? "jre.exe" : "jrew.exe";
    return base == "javaw" ? "java.exe" : "javaw.exe";
}

bool isJava2Version(const char* version)
{
    return compareNoCase(version, "1.2") >= 0;
}

std::vector<std::string> runtimeLibraryCandidates(const std::string& home)
{
    return {home + "\\bin\\classic\\jvm.dll", home + "\\bin\\hotspot\\jvm.dll", home + "\\bin\\client\\jvm.dll"};
}

std::string applyJvmHomeDir(const std::string& installDir, const char* jvmHomeDir)
{
    std::string dir = startsWith(jvmHomeDir, "./") ? installDir + (jvmHomeDir + 1) : std::string(jvmHomeDir);
    for (char& c : dir)
        if (c == '/') c = '\\';
    return dir;
}

std::string joinFolder(const std::string& folder, const std::string& name)
{
    if (folder.empty()) return name;
    if (folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

std::vector<std::string> folderChain(const std::string& dir)
{
    std::vector<std::string> chain;
    std::string path = dir;
    if (path.empty() || path.back() != '\\') path += '\\';
    for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
        if (at > 0) chain.push_back(path.substr(0, at));
    return chain;
}
