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

// Writes bytes to a file, replacing it; reads a whole file.
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
