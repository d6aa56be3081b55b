#include "tasks/output_directory.h"

std::string outputDirectory;
