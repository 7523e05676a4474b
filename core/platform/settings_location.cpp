// SPDX-License-Identifier: MIT
// Settings file location and the first-start take-over of the seed copy.
#include "core/platform/settings_location.h"

#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// The Win32 names of these would hide the file layer's own.
#undef CopyFile
#undef ReplaceFile
#endif

#include "core/platform/gbk_text.h"

namespace korvexer {

namespace {

#ifdef _WIN32
constexpr UINT kGbkCodePage = 936;
constexpr std::string_view kPathSeparators = "\\/";
constexpr char kSeparator = '\\';
constexpr const char* kSettingsFolder = "Korvexer\\";
#else
constexpr std::string_view kPathSeparators = "/";
constexpr char kSeparator = '/';
constexpr const char* kSettingsFolder = "korvexer/";
#endif

// An environment variable as GBK text, or "" when unset or not convertible.
#ifdef _WIN32
std::string EnvironmentPath(const char* name) {
    // The wide environment holds the folder's real name, whatever the ANSI code page is.
    std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wideName.c_str());
    if (value == nullptr || *value == L'\0') return {};
    std::wstring wide(value);
    int wideSize = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    int size = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize,
                                   nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize, text.data(),
                        size, nullptr, &usedDefault);
    return usedDefault ? std::string() : text;
}
#else
std::string EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return {};
    Expected<std::string> gbkValue = gbk::FromUtf8(value);
    return gbkValue ? *gbkValue : std::string();
}
#endif

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kSeparator) folder += kSeparator;
    return folder;
}

}  // namespace

std::string SettingsFileName(const std::string& executablePath) {
    std::size_t slash = gbk::FindLastOf(executablePath, kPathSeparators);
    std::string name =
        slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name + ".ini";
}

std::string ExecutableDirectory(const std::string& executablePath) {
    std::size_t slash = gbk::FindLastOf(executablePath, kPathSeparators);
    if (slash == std::string::npos) return std::string(".") + kSeparator;
    return executablePath.substr(0, slash + 1);
}

Expected<std::string> SettingsDirectory() {
#ifdef _WIN32
    std::string appData = EnvironmentPath("APPDATA");
    if (appData.empty())
        return Error{
            "APPDATA is not set; cannot find the settings folder", {}, ErrorKind::NoSettingsFolder};
    return WithSeparator(appData) + kSettingsFolder;
#else
    // A relative XDG_CONFIG_HOME is invalid by the base directory rules and is ignored.
    std::string configHome = EnvironmentPath("XDG_CONFIG_HOME");
    if (!configHome.empty() && configHome.front() == '/')
        return WithSeparator(configHome) + kSettingsFolder;
    std::string home = EnvironmentPath("HOME");
    if (home.empty())
        return Error{"neither XDG_CONFIG_HOME nor HOME is set; cannot find the settings folder",
                     {},
                     ErrorKind::NoSettingsFolder};
    return WithSeparator(home) + ".config/" + kSettingsFolder;
#endif
}

Expected<std::string> WorkingSettingsPath(const std::string& executablePath) {
    Expected<std::string> folder = SettingsDirectory();
    if (!folder) return folder;
    return *folder + SettingsFileName(executablePath);
}

std::vector<std::string> SeedSettingsCandidates(const std::string& executablePath) {
    const std::string name = SettingsFileName(executablePath);
    std::vector<std::string> candidates;
#ifndef _WIN32
    // The base directory rules: a colon-separated list, most important first, /etc/xdg when
    // unset or empty; relative entries are invalid and skipped.
    std::string dirs = EnvironmentPath("XDG_CONFIG_DIRS");
    if (dirs.empty()) dirs = "/etc/xdg";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t colon = dirs.find(':', start);
        if (colon == std::string::npos) colon = dirs.size();
        std::string dir = dirs.substr(start, colon - start);
        if (!dir.empty() && dir.front() == '/')
            candidates.push_back(WithSeparator(dir) + kSettingsFolder + name);
        start = colon + 1;
    }
#endif
    candidates.push_back(ExecutableDirectory(executablePath) + name);
    return candidates;
}

void SeedWorkingSettings(FileSystem& fs, const std::string& executablePath) {
    Expected<std::string> folder = SettingsDirectory();
    if (!folder) return;
    const std::string working = *folder + SettingsFileName(executablePath);
    if (fs.Exists(working)) return;
    for (const std::string& seed : SeedSettingsCandidates(executablePath)) {
        if (!fs.Exists(seed)) continue;
        if (fs.CreateDirectories(*folder)) (void)CopyFile(fs, seed, working);
        return;
    }
}

}  // namespace korvexer
