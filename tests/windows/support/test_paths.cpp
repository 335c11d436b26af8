#include "tests/windows/support/test_paths.h"

#include <windows.h>

std::string TestProgramFolder() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1);
}

std::string FixtureFolder(const char* set) { return TestProgramFolder() + "fixtures\\" + set + "\\"; }

std::string MakeScratchFolder(const char* name) {
  const std::string folder = TestProgramFolder() + "scratch\\" + name + "\\";
  RemoveTree(folder);
  CreateDirectoryA((TestProgramFolder() + "scratch").c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string BuiltAddinFolder() { return TestProgramFolder() + "..\\ide\\Addins\\"; }

std::string MakeAddinFolder(const char* name, const char* fixtureSet) {
  const std::string folder = MakeScratchFolder(name);
  CopyFileA((BuiltAddinFolder() + "orvara.dll").c_str(), (folder + "orvara.dll").c_str(), FALSE);
  const std::string fixtures = FixtureFolder(fixtureSet);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((fixtures + "*.dll").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      CopyFileA((fixtures + found.cFileName).c_str(), (folder + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  return folder;
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        // A file named like a device (AUX.note) is reached only in the \\?\ form.
        if (!DeleteFileA(path.c_str())) DeleteFileA(("\\\\?\\" + path).c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                     written == bytes.size();
  CloseHandle(file);
  return whole;
}

std::string ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
