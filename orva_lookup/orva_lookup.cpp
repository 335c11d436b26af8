// orva-lookup NUMBER [FOLDER]: the console front end of the lookup engine.
// Runs RunLookup on the message modules in FOLDER (by default the Addins
// folder beside this program) and prints the four fields the lookup window
// would show, empty fields included.
#include <windows.h>

#include <cstdio>

#include "lookup/error_lookup.h"

namespace {

void PrintFields(const orva::LookupFields& fields) {
  std::printf("Type: %s\nTitle: %s\nTool: %s\nDescription:\n%s\n", fields.type, fields.title, fields.tool,
              fields.description);
}

// The folder the modules are read from, ending in a backslash. A folder given
// in the Unix form (under Wine) is reached through drive Z:.
bool ModuleFolder(int argc, char** argv, char (&folder)[orva::kPathSize]) {
  if (argc < 3) {
    char program[orva::kPathSize] = {};
    GetModuleFileNameA(nullptr, program, orva::kPathSize - 1);
    orva::PathOnly(program, folder);
    return orva::AppendText(folder, "Addins\\");
  }
  const char* given = argv[2];
  if (given[0] == '/' && !orva::AppendText(folder, "Z:")) return false;
  if (!orva::AppendText(folder, given)) return false;
  for (char* p = folder; *p != 0; ++p) {
    if (*p == '/') *p = '\\';
  }
  const size_t length = orva::TextLength(folder);
  return length == 0 || folder[length - 1] == '\\' || orva::AppendText(folder, "\\");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: orva-lookup NUMBER [FOLDER]\n");
    return 2;
  }
  char folder[orva::kPathSize] = {};
  if (!ModuleFolder(argc, argv, folder)) {
    std::fprintf(stderr, "orva-lookup: the folder path is too long\n");
    return 2;
  }

  orva::LookupResult result = orva::RunLookup(argv[1], folder);
  PrintFields(orva::FieldsOf(result));
  const int status = result.outcome == orva::LookupOutcome::Found ? 0 : 1;
  orva::ReleaseLookupResult(result);
  return status;
}
