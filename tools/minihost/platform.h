// What minihost needs of the operating system, one file per platform (platform_posix.cpp,
// platform_windows.cpp).
// Paths are UTF-8 everywhere in minihost; these functions turn them into what the system takes.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace minihost {

// The path of a UTF-8 path name.
std::filesystem::path PathFromUtf8(const std::string& path);

// std::fopen for a UTF-8 path name; nullptr with errno set when it fails.
std::FILE* OpenFile(const std::string& path, const char* mode);

// The full path of the running minihost, or "" when the system does not tell.
std::string ExecutablePath();

// Whether standard input is a terminal that a person types at.
bool StandardInputIsTerminal();

// The names under which the terminal itself opens for reading and for writing ("/dev/tty"),
// so that the dialog talks to the person even while standard error goes to a file.
struct TerminalNames {
  const char* input;
  const char* output;
};
TerminalNames Terminal();

// The command-line arguments after the program's name, as UTF-8.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Sets up standard input, output and error to carry bytes exactly as minihost writes them.
void PrepareStandardStreams();

}  // namespace minihost
