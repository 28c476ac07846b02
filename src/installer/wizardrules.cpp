#include "installer/wizardrules.h"

#include "support/clib.h"
#include "support/spawnargs.h"

#include <cstring>

namespace {

bool hasBlank(const std::string& text)
{
    return text.find(' ') != std::string::npos;
}

std::string quotedWhenBlank(const std::string& text)
{
    return hasBlank(text) ? "\"" + text + "\"" : text;
}

std::string cut(std::string text, std::size_t size)
{
    if (text.size() >= size) text.resize(size - 1);
    return text;
}

} // namespace

bool swingWanted(const char* jvmPath)
{
    return std::strstr(fileNamePart(jvmPath), "java") == nullptr;
}

void addClassElement(ClassPath& classPath, const std::string& element, const std::string& swingPath,
                     bool swingExists, bool swingIsWanted, std::size_t limit)
{
    std::string text = classPath.text.empty() ? "" : ";";
    if (element.find("swingall.jar") != std::string::npos) {
        if (!swingIsWanted) return;
        if (!swingExists) {
            classPath.traces.emplace_back("swing file does not exist", swingPath);
            return;
        }
        text += quotedWhenBlank(swingPath);
        classPath.traces.emplace_back("added swing to classpath", "");
    } else {
        text += quotedWhenBlank(element);
    }
    if (classPath.text.size() + text.size() > limit) {
        classPath.refused.push_back(element);
        return;
    }
    classPath.text += text;
}

std::string swingArchivePath(bool packageHasSwing, const char* javaHomeDir)
{
    if (packageHasSwing) return "swingall.jar";
    return std::string(javaHomeDir) + "\\lib\\swingall.jar";
}

ClassPath composeClassPath(const char* loaderClasspath, const std::string& swingPath, bool swingExists,
                           bool swingIsWanted)
{
    ClassPath result;
    const std::size_t limit = std::strlen(loaderClasspath) + 999;
    std::string rest = loaderClasspath;
    std::size_t separator;
    while ((separator = rest.find(';')) != std::string::npos) {
        // Once the class path is this long, the rest goes in as one last element.
        if (result.text.size() > limit) break;
        addClassElement(result, rest.substr(0, separator), swingPath, swingExists, swingIsWanted, limit);
        rest.erase(0, separator + 1);
    }
    if (!rest.empty()) addClassElement(result, rest, swingPath, swingExists, swingIsWanted, limit);
    return result;
}

std::vector<std::string> wizardArguments(const WizardCommand& command)
{
    std::vector<std::string> arguments;
    arguments.emplace_back(fileNamePart(command.jvmPath));
    if (command.jvmExtraParameters[0])
        for (const std::string& piece : blankSeparatedWords(command.jvmExtraParameters)) arguments.push_back(piece);
    arguments.emplace_back(command.jvmClasspathSwitch);
    arguments.emplace_back(command.classPath);
    // An empty command still takes its place in the vector, as one empty argument.
    std::vector<std::string> words = blankSeparatedWords(command.loaderJavaCommand);
    arguments.insert(arguments.end(), words.begin(), words.end());
    if ((command.quiet || command.silent) && command.wizardArgument[0]) {
        arguments.emplace_back(command.quiet ? "-q" : "-s");
        std::string argument = command.wizardArgument;
        bool quoteAndBlank = argument.find('"') != std::string::npos && hasBlank(argument);
        arguments.push_back(quoteAndBlank ? "\"" + argument + "\"" : argument);
    }
    return arguments;
}

std::string argumentText(const std::vector<std::string>& arguments)
{
    std::string text;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i) text += ' ';
        const std::string& argument = arguments[i];
        text += hasBlank(argument) && argument.find('"') == std::string::npos ? "\"" + argument + "\"" : argument;
    }
    return cut(text, commandTextSize);
}

std::string commandText(const char* jvmPath, const std::string& arguments)
{
    return cut("\"" + std::string(jvmPath) + "\" " + arguments, commandTextSize);
}
