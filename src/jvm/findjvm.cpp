#include "jvm/findjvm.h"

FindJvm::FindJvm() : hwnd(nullptr) {}

FindJvm::~FindJvm() = default;

void FindJvm::setHwnd(HWND window)
{
    hwnd = window;
}

// Stand-in until the registry search is built: it finds nothing.
bool FindJvm::isJvmInstalled(char*, char*, char*, char*, char*, char*)
{
    return false;
}
