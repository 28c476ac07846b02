// The registry keys under which Java runtimes register themselves, below HKEY_LOCAL_MACHINE.
#pragma once

inline constexpr const char* runtimeKey = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
inline constexpr const char* developmentKitKey = "SOFTWARE\\JavaSoft\\Java Development Kit";
inline constexpr const char* pluginKey = "SOFTWARE\\JavaSoft\\Java Plug-in";
