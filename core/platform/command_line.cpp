// SPDX-License-Identifier: MIT
// The program's arguments and standard streams on POSIX and on Windows.
#include "core/platform/command_line.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#endif

namespace korvexer {

#ifdef _WIN32

namespace {

std::string Narrow(const wchar_t* wide, UINT codePage) {
    int size = WideCharToMultiByte(codePage, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back();  // the terminating NUL the count included
    return text;
}

bool AsksForGbk(wchar_t** arguments, int count) {
    for (int i = 1; i < count; ++i) {
        std::wstring argument = arguments[i];
        if (argument == L"--encoding=gbk") return true;
        if (argument == L"--encoding" && i + 1 < count && std::wstring(arguments[i + 1]) == L"gbk")
            return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) return std::vector<std::string>(argv, argv + argc);
    UINT codePage = AsksForGbk(arguments, count) ? 936 : CP_UTF8;
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) result.push_back(Narrow(arguments[i], codePage));
    LocalFree(arguments);
    return result;
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

#else

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void UseBinaryStandardStreams() {
    // POSIX streams never translate line ends.
}

#endif

}  // namespace korvexer
