// The gathering of the extended JVM search: the homes that the registry (the JavaSoft keys and the
// vendors' own, in both hives and both views), JAVA_HOME, PATH and the usual install folders name, in
// that order. The search itself is FindJvm::searchExtended, which orders and verifies them.
#pragma once

#include "jvm/candidates.h"

#include <string>
#include <vector>

// Every home the machine names, in gathering order, with the version its registry key name tells
// (versionKnown false elsewhere). launcher (the request's launcher name) only bounds the path lengths;
// nothing is checked to exist here except the PATH folders, which count only when they hold it.
std::vector<JvmCandidate> gatherJvmCandidates(const char* launcher);

// The launcher folder holds (a home's bin folder, a PATH folder): commandName, else, for a "jre..." name,
// the "java" launcher that takes its place, as the classic search substitutes it. False when neither
// exists or its path would not fit.
bool launcherInFolder(const std::string& folder, const char* commandName, std::string& name, std::string& path);

// The version the home's "release" file states; false when it has none or cannot be read.
bool versionOfHome(const std::string& home, std::string& version);
