#include "control/packagecheck.h"

#include "control/controlfile.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

bool isFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool hasDigit(const char* text)
{
    return std::any_of(text, text + std::strlen(text), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::vector<std::string> packageProblems(const std::string& folder, const std::string& testJvmOffer)
{
    std::vector<std::string> problems;
    fs::path control = fs::path(folder) / "qiv.control";
    auto values = std::make_unique<ControlValues>();
    UniqueFile in(control.string().c_str(), "rb");
    if (!isFile(control) || !in) {
        problems.push_back("qiv.control: missing; the program needs it to start");
    } else {
        ControlParseEvents events;
        events.trace = [](const char*, const char*) {};
        events.valueTooLong = [&](const ControlKey& key, std::size_t length) {
            problems.push_back("qiv.control: the value of " + std::string(key.name) + " has " +
                               std::to_string(length) + " characters; at most " + std::to_string(key.size - 1) +
                               " fit");
        };
        parseControlText(in.get(), *values, events);
        const std::pair<const char*, const char*> versions[] = {{"jvmRequiredVersion", values->jvmRequiredVersion},
            {"jvmMinVersion", values->jvmMinVersion}, {"jvmMaxVersion", values->jvmMaxVersion},
            {"jvmVersion", values->jvmVersion}};
        for (const auto& [key, value] : versions)
            if (*value && !hasDigit(value))
                problems.push_back("qiv.control: " + std::string(key) + "=" + value +
                                   " is not a version (such as 1.6 or 1.4.2_05)");
    }
    // A Java Plug-in package opens its applet address in a browser instead of starting the wizard.
    if (!equalsNoCase(values->jvmName, "Java Plug-in") && !isFile(fs::path(folder) / "install.jar"))
        problems.push_back("install.jar: missing; the wizard cannot start without it");
    if (!isFile(fs::path(folder) / "TestJvm.class"))
        problems.push_back("TestJvm.class: missing; every JVM found is verified with it (ours: " + testJvmOffer + ")");
    std::string archive = values->jvmSelfExtractor;
    std::replace(archive.begin(), archive.end(), '\\', '/');
    if (!archive.empty() && !isFile(fs::path(folder) / archive))
        problems.push_back(archive + ": missing; jvmSelfExtractor names it as the package's JVM");
    return problems;
}
