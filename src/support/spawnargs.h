// What goes to _spawnv, which joins the argument vector with single blanks and quotes nothing.
// Portable: no windows.h.
#pragma once

#include <string>
#include <vector>

// text as one argument of a command line: in double quotes when it holds a blank and no quote.
std::string asOneArgument(const char* text);

// The program to start for a command that may be enclosed in double quotes: the text between them.
// The quoted form is right for a command line, not for the name of the file to run.
std::string programPath(const char* command);

// The words of text split at every single blank, in order: two blanks in a row give an empty word
// between them, and an empty text one empty word. None for a null text.
std::vector<std::string> blankSeparatedWords(const char* text);
