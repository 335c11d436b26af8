// Runs a console program to its end, as a script would: standard input from
// a file, standard output and error caught whole.
#pragma once

#include <windows.h>

#include <string>

struct ProgramRun {
  DWORD exitCode;
  std::string out;  // standard output, byte for byte
  std::string err;
  SIZE_T peakMemory;  // the most private bytes it held while it ran, as far as seen
};

// commandLine as CreateProcess takes it; input is the path of the file that
// becomes standard input ("" for none). Files beside input hold the output.
ProgramRun RunProgram(const std::string& commandLine, const std::string& input, const std::string& scratchFolder);
