// The checks a packager's tool makes on a package folder before it becomes a setup program: what
// the start-up program will look for there. Portable: no windows.h.
#pragma once

#include <string>
#include <vector>

// One line per problem of the package in folder; none when the package is complete. The control file
// is read by the program's own rules; a missing "TestJvm.class" names where ours lies (testJvmOffer).
std::vector<std::string> packageProblems(const std::string& folder, const std::string& testJvmOffer);
