// Entry of qivstart.exe while the launcher shell and the installation sequence are being built:
// it reads the control file of the package in the current folder, with its trace, and ends.
#include "control/getparam.h"
#include "support/fsys.h"
#include "support/textfile.h"

#include <windows.h>

#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    // A run that finds no trace log makes its own, and marks it as its own.
    if (!pathExists("jinstall.log")) {
        UniqueFile("jinstall.log", "a");
        UniqueFile("jinstall.sem", "a");
    }

    static const std::size_t sizes[20] = {201, 201, 201, 201, 201, 5001, 5000, 5000, 5001, 5000,
                                          1000, 5000, 5000, 5001, 5001, 5001, 5000, 1000, 1000, 100};
    std::vector<std::vector<char>> values;
    for (std::size_t size : sizes) values.emplace_back(size, '\0');
    char controlFileName[5001];

    GetParameters reader;
    bool ok = reader.getParameters(values[0].data(), values[1].data(), values[2].data(), values[3].data(),
                                   values[4].data(), values[5].data(), values[6].data(), values[7].data(),
                                   values[8].data(), values[9].data(), values[10].data(), values[11].data(),
                                   values[12].data(), values[13].data(), values[14].data(), values[15].data(),
                                   values[16].data(), values[17].data(), values[18].data(), values[19].data(),
                                   controlFileName);
    if (!ok) reader.logAndTraceMessage("errors.log", "jinstall.log", "unable to get parameters");
    return ok ? 0 : 1;
}
