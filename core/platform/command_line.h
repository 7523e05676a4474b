// SPDX-License-Identifier: MIT
// CommandLine: the program's arguments and standard streams in the form the console tools expect.
#pragma once

#include <string>
#include <vector>

namespace korvexer {

// The program's arguments, argv[0] included. On POSIX they are argv's bytes as given. On Windows
// they come from the UTF-16 command line, so no character is lost to the ANSI code page: as UTF-8,
// or as GBK when the arguments hold "--encoding gbk" (or "--encoding=gbk"), the tools' own switch
// for GBK input. An argument that has no GBK form then becomes '?' where it lacks one.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Puts standard input, output and error in binary mode where the C runtime would otherwise turn
// LF into CR LF (Windows), so that the tools' output is byte for byte the same everywhere.
void UseBinaryStandardStreams();

}  // namespace korvexer
