// Counts the GDI objects, icons and image lists that the add-in's code
// creates and destroys while a ledger lives, through the program's import
// table (the add-in's objects are linked into the test program). The
// platform here cannot count them itself: Wine's GetGuiResources answers 0.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/windows/support/import_patch.h"

class HandleLedger {
 public:
  HandleLedger();
  ~HandleLedger();
  HandleLedger(const HandleLedger&) = delete;
  HandleLedger& operator=(const HandleLedger&) = delete;

  // How many handles each creating function made, for instance "CreatePen 40".
  std::map<std::string, int> Created() const;
  // The handles made and not destroyed, as "CreatePen 0x1234" each; empty
  // when everything balances.
  std::string Left() const;
  // False when one of the functions could not be put in place: the program
  // does not import it, and the ledger would count nothing of it.
  bool Counting() const { return counting_; }

 private:
  std::vector<std::unique_ptr<ImportReplaced>> replaced_;
  bool counting_ = true;
};
