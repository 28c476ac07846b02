// What a JVM start may take and what its failure says: the time limit of a test-class run and the one
// table of launch failure texts of the program. Portable: no windows.h.
#pragma once

// "File or path is not found" and so on; "Unknown error" for a number without a text.
const char* launchFailureText(int errorNumber);

// The time limit of a test-class run, in seconds: setting when it is a number from 1 to bound, else bound.
unsigned testRunLimit(const char* setting, unsigned bound);
