// What goes to _spawnv, which joins the argument vector with single blanks and quotes nothing.
// Portable: no windows.h.
#pragma once

#include <string>

// text as one argument of a command line: in double quotes when it holds a blank and no quote.
std::string asOneArgument(const char* text);

// The program to start for a command that may be enclosed in double quotes: the text between them.
// The quoted form is right for a command line, not for the name of the file to run.
std::string programPath(const char* command);
