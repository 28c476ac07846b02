#include "fakejvm.h"

#include "programrun.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace fs = std::filesystem;

FakeJvmHome::FakeJvmHome(const std::string& folder, std::initializer_list<const char*> launchers,
                         std::initializer_list<const char*> settings)
{
    fs::create_directories(folder);
    home = fs::canonical(folder).string();
    std::string fixture = programFromEnvironment("QIV_FAKEJVM");
    for (const char* launcher : launchers) {
        fs::path target = fs::path(home) / launcher;
        fs::create_directories(target.parent_path());
        fs::copy_file(fixture, target, fs::copy_options::overwrite_existing);
    }
    std::string text;
    for (const char* line : settings) text += std::string(line) + "\n";
    writeFile(fs::path(home) / "fakejvm.txt", text);
}

std::vector<std::vector<std::string>> FakeJvmHome::calls() const
{
    std::vector<std::vector<std::string>> result;
    for (const std::string& line : readPlainLines(fs::path(home) / "fakejvm-calls.txt")) {
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, '|');) fields.push_back(field);
        result.push_back(fields);
    }
    return result;
}

std::vector<std::string> probes(const FakeJvmHome& jvm)
{
    return readPlainLines(fs::path(jvm.home) / "fakejvm-probe.txt");
}
