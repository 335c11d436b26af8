// Where a Windows test program finds its fixture modules: beside itself.
#pragma once

#include <string>

// The folder of the running test program, ending in a backslash.
std::string TestProgramFolder();

// The folder of one fixture set (tests/fixtures/<set>), ending in a backslash.
std::string FixtureFolder(const char* set);

// A fresh, empty scratch folder below the test program's folder, ending in a
// backslash; removed with everything in it by RemoveTree.
std::string MakeScratchFolder(const char* name);
void RemoveTree(const std::string& folder);

// The folder where the build leaves orvara.dll and the shipped message
// modules (below the stand-in host), ending in a backslash.
std::string BuiltAddinFolder();

// A scratch folder that holds a copy of the built orvara.dll beside the
// message modules of a fixture set, so that an add-in loaded from it shows the
// fixture texts and keeps its notes in scratch.
std::string MakeAddinFolder(const char* name, const char* fixtureSet);

// Writes bytes to a file, replacing it (false when not all were written);
// reads a whole file.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
