#include "engine/command_templates.h"

#include <windows.h>

#include <cstdio>

#include "engine/app_folder.h"
#include "engine/command_text.h"
#include "engine/output_directory.h"
#include "engine/profile_files.h"
#include "engine/profile_ini.h"

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

std::optional<std::string> ExpandCommand(const EngineContext& context, const std::string& commandTemplate) {
    return ExpandFamilyTemplate(commandTemplate, InputsFor(context, context.currentItemIndex), context.item.choice.deviceTab,
                                context.item.choice.profileEntry);
}

std::string ReadIpodTemplate(const IOutputSettings& settings) {
    EnterAppFolder();
    profileIni.SetFile(ProfileFileName(kIpodProfileFile));
    char section[32];
    std::snprintf(section, sizeof section, "profile%d", settings.ProfileSetting());
    return profileIni.GetString(section, "Command0");
}

std::optional<std::string> BuildIpodCommand(const EngineContext& context, int itemIndex,
                                            const std::string& commandTemplate) {
    return ExpandIpodTemplate(commandTemplate, InputsFor(context, itemIndex), context.settings);
}
