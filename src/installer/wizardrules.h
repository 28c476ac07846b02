// How the Java wizard's command line is composed: its class path with the Swing archive rule, its
// argument vector, and the texts of that command for the trace. Portable: no windows.h.
#pragma once

#include "support/limits.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// True when the launcher's file name does not contain "java" (a 1.1 "jre.exe" or "jrew.exe"): such a
// JVM needs the Swing archive on its class path.
bool swingWanted(const char* jvmPath);

// The Swing archive: "swingall.jar" in the package when it has one, otherwise the JVM's lib folder.
std::string swingArchivePath(bool packageHasSwing, const char* javaHomeDir);

struct ClassPath {
    std::string text;
    // Trace lines in order, each a pair of texts ("added swing to classpath" and so on).
    std::vector<std::pair<std::string, std::string>> traces;
    // Elements that would not fit the class path's buffer, left out.
    std::vector<std::string> refused;
};

// Appends one element to the class path, behind a ";" when the path is not empty; an element that
// would take the text beyond limit characters is refused.
void addClassElement(ClassPath& classPath, const std::string& element, const std::string& swingPath,
                     bool swingExists, bool swingIsWanted, std::size_t limit);

// The class path from loaderClasspath (";"-separated): each element in double quotes when it holds a
// blank; an element naming "swingall.jar" becomes the Swing archive when that exists and is wanted,
// and is dropped otherwise. The text stays within the length of loaderClasspath plus 999 characters.
ClassPath composeClassPath(const char* loaderClasspath, const std::string& swingPath, bool swingExists,
                           bool swingIsWanted);

struct WizardCommand {
    const char* jvmPath;
    const char* jvmExtraParameters;
    const char* jvmClasspathSwitch;
    const char* classPath;
    const char* loaderJavaCommand;
    const char* wizardArgument;
    bool quiet;
    bool silent;
};

// The argument vector of the wizard's JVM, in its order.
std::vector<std::string> wizardArguments(const WizardCommand& command);

// The vector as text, elements joined by blanks, those with a blank and no quote in double quotes.
std::string argumentText(const std::vector<std::string>& arguments);

// The traced command: the JVM path in double quotes, a blank and the argument text.
std::string commandText(const char* jvmPath, const std::string& arguments);

