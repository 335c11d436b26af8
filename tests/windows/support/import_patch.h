// Puts a test's own function in the place of a platform function that this
// program imports (the add-in's objects are linked into it, so their calls go
// through its import table): the way a test makes the platform answer what a
// machine here never answers, a shell without an icon for instance.
#pragma once

// Answers the function the table held before, or null when the program does
// not import function from dll. Calling it again with that answer undoes it.
void* ReplaceImport(const char* dll, const char* function, void* replacement);

// Replaces an import for as long as it lives.
class ImportReplaced {
 public:
  ImportReplaced(const char* dll, const char* function, void* replacement)
      : dll_(dll), function_(function), original_(ReplaceImport(dll, function, replacement)) {}
  ~ImportReplaced() {
    if (original_ != nullptr) ReplaceImport(dll_, function_, original_);
  }
  ImportReplaced(const ImportReplaced&) = delete;
  ImportReplaced& operator=(const ImportReplaced&) = delete;
  void* original() const { return original_; }

 private:
  const char* dll_;
  const char* function_;
  void* original_;
};
