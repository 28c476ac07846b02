// The text for the error number that a failed start of a JVM leaves: the one table of launch failure
// texts of the program. Portable: no windows.h.
#pragma once

// "File or path is not found" and so on; "Unknown error" for a number without a text.
const char* launchFailureText(int errorNumber);
