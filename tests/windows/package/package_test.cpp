// The release package as a RadASM user installs it: the zip unpacked into a
// folder with a space in its path (the test package_contents checks the zip
// and unpacks it before this program runs). The host loads the unpacked
// add-in and looks a number up, the unpacked console tool answers the same,
// and every file's version resource, read through the platform, names the
// project's version.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orva_version.h"
#include "stand_in_host/stand_in_host.h"
#include "tests/windows/support/run_program.h"
#include "tests/windows/support/test_paths.h"

namespace {

std::string UnpackedAddins() { return TestProgramFolder() + "package test\\Program Files\\RadASM\\Addins\\"; }

const char* const kShipped[] = {"orvara.dll", "ML.dll",  "CVTRES.dll", "NMAKE.dll",
                                "linklib.dll", "rcc.dll", "rcw.dll",    "orva-lookup.exe"};

struct VersionResource {
  bool present;
  DWORD fileVersionMS, fileVersionLS, productVersionMS, productVersionLS;
  std::string fileVersion, productVersion, productName, originalFilename, description, copyright;
};

VersionResource ReadVersionResource(const std::string& path) {
  VersionResource version{};
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return version;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return version;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr) return version;
  version.present = true;
  version.fileVersionMS = fixed->dwFileVersionMS;
  version.fileVersionLS = fixed->dwFileVersionLS;
  version.productVersionMS = fixed->dwProductVersionMS;
  version.productVersionLS = fixed->dwProductVersionLS;

  // The strings sit under the language and code page the file names itself.
  WORD* translation = nullptr;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < 4) {
    return version;
  }
  char block[32];
  wsprintfA(block, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
  auto text = [&](const char* name) {
    char* value = nullptr;
    UINT chars = 0;
    const std::string key = std::string(block) + name;
    if (!VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &chars) || value == nullptr) return std::string();
    return std::string(value);
  };
  version.fileVersion = text("FileVersion");
  version.productVersion = text("ProductVersion");
  version.productName = text("ProductName");
  version.originalFilename = text("OriginalFilename");
  version.description = text("FileDescription");
  version.copyright = text("LegalCopyright");
  return version;
}

}  // namespace

TEST(Package, EveryFileNamesTheProjectVersion) {
  const DWORD major = MAKELONG(ORVA_VERSION_MINOR, ORVA_VERSION_MAJOR);
  const DWORD minor = MAKELONG(0, ORVA_VERSION_PATCH);
  for (const char* file : kShipped) {
    const VersionResource v = ReadVersionResource(UnpackedAddins() + file);
    ASSERT_TRUE(v.present) << file << " has no version resource";
    EXPECT_EQ(major, v.fileVersionMS) << file;
    EXPECT_EQ(minor, v.fileVersionLS) << file;
    EXPECT_EQ(major, v.productVersionMS) << file;
    EXPECT_EQ(minor, v.productVersionLS) << file;
    EXPECT_EQ(ORVA_VERSION_TEXT, v.fileVersion) << file;
    EXPECT_EQ(ORVA_VERSION_TEXT, v.productVersion) << file;
    EXPECT_EQ("ORVA", v.productName) << file;
    EXPECT_EQ(file, v.originalFilename);
    EXPECT_FALSE(v.description.empty()) << file;
    EXPECT_FALSE(v.copyright.empty()) << file;
  }
}

TEST(Package, TheUnpackedAddinAndConsoleToolLookA2008Up) {
  using namespace standin;
  ASSERT_TRUE(CreateHostWindow(0));
  ASSERT_TRUE(LoadAddin(UnpackedAddins() + "orvara.dll", 1)) << "cannot load the unpacked add-in";
  const UINT item = FindMenuItem("ORVA", nullptr);
  ASSERT_NE(0u, item);
  ChooseMenuItem(item);
  PumpMessages(20);
  TypeText("A2008\r");
  PumpMessages(20);
  LookupView view;
  const bool shown = FindLookupView(&view);
  const std::string type = shown ? TextOf(view.typeField) : "";
  const std::string title = shown ? TextOf(view.titleField) : "";
  const std::string tool = shown ? TextOf(view.toolField) : "";
  const std::string description = shown ? TextOf(view.descriptionBox) : "";
  CloseHost();
  PumpMessages(20);
  UnloadAddin();
  ASSERT_TRUE(shown);
  EXPECT_EQ("ML", tool);
  EXPECT_FALSE(title.empty());
  EXPECT_FALSE(description.empty());

  // The console tool beside the modules reads them from its own folder.
  const ProgramRun run = RunProgram("\"" + UnpackedAddins() + "orva-lookup.exe\" A2008", "",
                                    TestProgramFolder() + "package test\\");
  EXPECT_EQ(0u, run.exitCode) << run.err;
  EXPECT_EQ("Type: " + type + "\r\nTitle: " + title + "\r\nTool: " + tool + "\r\nDescription:\r\n" + description + "\r\n",
            run.out);
}
