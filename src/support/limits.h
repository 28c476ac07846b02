// The limits of the program's data model. Every fixed text buffer names one of these sizes (in bytes,
// the terminating NUL included), so that a limit is read, and checked, in one place.
// Portable: no windows.h.
#pragma once

#include <cstddef>

// Paths, launcher names, commands, the Windows directory, the marker paths.
constexpr std::size_t pathSize = 5001;
// The longest path or command the program works with.
constexpr std::size_t pathLimit = pathSize - 1;
// Most control-file values, the texts of the failure report, registry names and values.
constexpr std::size_t valueSize = 5000;
// Messages, the language name, the short control-file values, a trace line built in a buffer.
constexpr std::size_t messageSize = 1000;
// Versions and JVM names.
constexpr std::size_t versionSize = 201;
// A version's family or micro part, and the "searchForJvm" value.
constexpr std::size_t versionPartSize = 100;
constexpr std::size_t searchSwitchSize = 100;
// A yes-or-no control-file value ("extendedJvmSearch").
constexpr std::size_t yesNoSwitchSize = 10;
// A line of the control file or "native.properties" as the single-key lookups keep it: at most 998
// characters.
constexpr std::size_t lineSize = 1001;
// Lines are read in pieces of at most 998 bytes, the line feed included (an fgets of 999 bytes); the
// tail of a longer line is handled as a line of its own.
constexpr std::size_t pieceSize = 999;
// A regional-settings or locale text.
constexpr std::size_t localeTextSize = 200;
// The texts of a traced command line.
constexpr std::size_t commandTextSize = 10000;

// File copies go through up to copyBufferLimit buffers of copyBufferSize bytes, as many as the input
// needs for one pass.
constexpr std::size_t copyBufferSize = 30000;
constexpr int copyBufferLimit = 20;
