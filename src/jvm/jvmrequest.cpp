#include "jvm/jvmrequest.h"

VersionRules versionRulesOf(const ControlValues& values)
{
    return {values.jvmRequiredVersion, values.jvmMinVersion, values.jvmMaxVersion};
}

JvmRequest jvmRequestOf(ControlValues& values)
{
    return {versionRulesOf(values), values.jvmVersion,       values.jvmName,   values.jvmCommandName,
            values.jvmSelfExtractor, values.predefinedJvmInstallDir, values.jvmHomeDir};
}
