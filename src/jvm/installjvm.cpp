#include "jvm/installjvm.h"

InstallJvm::InstallJvm() : jvmInstalled(0), foundExistingJvm(0), hwnd(nullptr) {}

InstallJvm::~InstallJvm() = default;

void InstallJvm::setHwnd(HWND window)
{
    hwnd = window;
}

// Stand-in until the JVM installation is built: no registry configuration.
bool InstallJvm::configureWinReg()
{
    return false;
}

// Stand-in until the JVM installation is built: nothing can be installed.
bool InstallJvm::installJvm(char*, char*, char*, char*, char*, char*, char*, char*, char*, char*, const char*)
{
    return false;
}
