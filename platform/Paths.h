// Where the program's files live: the folder of the running executable.
#pragma once
#include <string>

namespace platform {

// The program's folder, without a trailing slash.
const std::string& ProgramFolder();
// Replaces the program folder (tests point it at a scratch folder).
void SetProgramFolder(const std::string& folder);
// ProgramFolder() + "/" + relative.
std::string ProgramPath(const std::string& relative);

}  // namespace platform
