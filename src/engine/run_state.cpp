#include "engine/run_state.h"

bool cancelRequested = false;
std::uint32_t itemStartTick = 0;
ItemChoice itemChoice;
std::vector<std::string> itemFiles;
bool itemPassesEnded = false;
