// The switch that decides whether a JVM is entered in the Windows registry.
#pragma once

#include "support/trace.h"

// "configureWinRegistry" by the single-key lookup: from the control file, or from "native.properties"
// when the control file cannot be opened. "true" or "yes" in any case mean yes; a key that is absent,
// or two files that cannot be opened, mean yes too. The lookup's lines go to tracer's "jinstall.log".
bool configureRegistrySwitch(Trace& tracer);
