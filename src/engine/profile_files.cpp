#include "engine/profile_files.h"

namespace {

const char* const kProfileFiles[kProfileFileCount] = {
    ".\\iPod_Profile.ini",     ".\\PSP_Profile.ini",  ".\\3GP_AMR_Profile.ini", ".\\3GP_AAC_Profile.ini",
    ".\\3GP2_AAC_Profile.ini", ".\\Xbox_Profile.ini", ".\\PPC_Profile.ini",     ".\\PMP_Profile.ini",
};

constexpr int kThreeGpTab = 2;
constexpr int kThreeGpTypeCount = 3;

}  // namespace

const char* ProfileFileName(int fileIndex) {
    return fileIndex >= 0 && fileIndex < kProfileFileCount ? kProfileFiles[fileIndex] : nullptr;
}

int ProfileFileForTab(int deviceTab, int threeGpType) {
    if (deviceTab == 0 || deviceTab == 1) return deviceTab;
    if (deviceTab == kThreeGpTab) {
        return threeGpType >= 0 && threeGpType < kThreeGpTypeCount ? kThreeGpTab + threeGpType : -1;
    }
    if (deviceTab >= 3 && deviceTab <= 5) return deviceTab + 2;
    return -1;
}
