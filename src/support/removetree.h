// Removal of a folder with everything in it, links removed as links and never followed.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Called with the path of what could not be removed; true to go on with the rest, false to stop.
using RemoveFailure = std::function<bool(const std::string& path)>;

// Removes every file and folder below directory, and directory itself. A link (to a folder or a file)
// goes as a link: what it points to is never touched. The files named in keep are left in place
// without a word (a running program's own file), and so their folders stay too. False when anything
// else could not be removed.
bool removeTree(const char* directory, const RemoveFailure& failed, const std::vector<std::string>& keep = {});
