// SPDX-License-Identifier: MIT
// Where the settings file lives: named after the executable, working copy in the user's
// configuration folder, seeded once from a copy that an installation or an unpacked build delivers.
#pragma once

#include <string>
#include <vector>

#include "core/platform/expected.h"
#include "core/platform/file_system.h"

namespace korvexer {

// The executable's file name without folder and extension, followed by ".ini"
// ("/opt/bin/korvexer" gives "korvexer.ini"; on Windows "C:\\x\\Other.exe" gives "Other.ini").
std::string SettingsFileName(const std::string& executablePath);

// The executable's folder with its trailing separator, or "./" when it has none.
std::string ExecutableDirectory(const std::string& executablePath);

// The folder of the working copy, with a trailing separator: $XDG_CONFIG_HOME/korvexer/ (when
// it is an absolute path), else
// $HOME/.config/korvexer/ (%APPDATA%\Korvexer\ on Windows). Error when neither is known.
Expected<std::string> SettingsDirectory();

// The working copy's path for the executable at `executablePath`.
Expected<std::string> WorkingSettingsPath(const std::string& executablePath);

// Where a seed copy is looked for, most important first: on Linux korvexer/NAME in each absolute
// folder of $XDG_CONFIG_DIRS (/etc/xdg when unset or empty), where an installed program keeps it;
// then NAME beside the executable, where an unpacked build or a Windows installation keeps it.
// NAME is SettingsFileName(executablePath).
std::vector<std::string> SeedSettingsCandidates(const std::string& executablePath);

// Takes the first existing seed copy of SeedSettingsCandidates over as the working copy when there
// is no working copy yet (creating its folder). An existing working copy is never replaced; a
// missing seed or a failed copy is not an error for the caller, who goes on with defaults.
void SeedWorkingSettings(FileSystem& fs, const std::string& executablePath);

}  // namespace korvexer
