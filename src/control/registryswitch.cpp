#include "control/registryswitch.h"

#include "control/singlekey.h"

bool configureRegistrySwitch(Trace& tracer)
{
    ControlKeyLookup lookup = lookUpControlKey("configureWinRegistry", "native.properties");
    if (!lookup.opened) {
        tracer.traceMessage(traceLog, "unable to open qiv.control file", "defaulting to configure registry");
        return true;
    }
    if (!lookup.found) return true;
    tracer.traceMessage(traceLog, lookup.line);
    bool configure = isAffirmative(lookup.value());
    tracer.traceMessage(traceLog, "configureWinRegistry", configure);
    return configure;
}
