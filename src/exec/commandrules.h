// How a command is written before it runs: quoting, its argument words, and the launch batch file.
// Portable: no windows.h.
#pragma once

#include <string>
#include <vector>

// The command between double quotes when it holds a blank and does not begin with a double quote;
// otherwise unchanged.
std::string formattedCommand(const char* command);

// The number of vector entries before the terminating null: 1 without arguments, otherwise the
// number of blanks in arguments plus 2.
int argumentCount(const char* arguments);

// The three lines of "__qivlaunch.bat", each ended by a line feed: "@echo off", the command (with a
// blank and the arguments when there are any), and "del __qivwait.sem".
std::string launchBatchText(const char* formatted, const char* arguments);
