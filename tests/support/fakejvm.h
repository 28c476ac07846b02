// Fake JVM homes for the tests: folders whose launchers are copies of the fake JVM fixture, told what
// to do by a settings file, and recording every start.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

struct FakeJvmHome {
    std::string home; // full Windows path

    // Creates folder (relative to the current folder or absolute) with a copy of the fixture at each of
    // the launcher paths (such as "bin\\javaw.exe"), and the settings lines ("result=1.6.0_07" ...).
    FakeJvmHome(const std::string& folder, std::initializer_list<const char*> launchers,
                std::initializer_list<const char*> settings);

    // Every start so far: the current folder, then the arguments.
    std::vector<std::vector<std::string>> calls() const;
};

// The lines the fake JVM wrote on its starts for its "probe" setting.
std::vector<std::string> probes(const FakeJvmHome& jvm);
