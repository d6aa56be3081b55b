#include "engine/command_templates.h"

#include <windows.h>

#include <cstdio>

#include "engine/app_folder.h"
#include "engine/command_text.h"
#include "engine/profile_files.h"
#include "engine/profile_ini.h"
#include "tasks/output_directory.h"

namespace {

LocalClock LocalTimeNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

ExpansionInputs InputsFor(const EngineContext& context, int itemIndex) {
    return {context.tasks.Copy(itemIndex), outputDirectory, LocalTimeNow()};
}

}  // namespace

std::string ExpandCommand(const EngineContext& context, const std::string& commandTemplate) {
    return ExpandFamilyTemplate(commandTemplate, InputsFor(context, context.currentItemIndex),
                                context.settings.DeviceTab(), context.settings.ProfileEntry());
}

std::string BuildIpodCommand(const EngineContext& context, int itemIndex) {
    EnterAppFolder();
    profileIni.SetFile(ProfileFileName(kIpodProfileFile));
    char section[32];
    std::snprintf(section, sizeof section, "profile%d", context.settings.ProfileSetting());
    const std::string commandTemplate = profileIni.GetString(section, "Command0");
    return ExpandIpodTemplate(commandTemplate, InputsFor(context, itemIndex), context.settings);
}
