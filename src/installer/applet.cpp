// The browser launch of a Java Plug-in installation.
#include "installer/installer.h"

// Stand-in until the browser launch is built: no browser can be started.
bool Install::launchApplet(char*)
{
    return false;
}
