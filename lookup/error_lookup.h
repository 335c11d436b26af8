// RunLookup: an error number in, its type, title, tool and description out,
// or one of the three failure outcomes. Touches no window.
#pragma once

#include "lookup/tool_table.h"

namespace orva {

struct LookupResult {
  LookupOutcome outcome;
  const char* toolLabel;  // the matched row's label; "" when no row matched
  // Found only: zero-terminated pieces of the message in zero-filled buffers
  // from the process heap; ReleaseLookupResult frees them.
  char* type;
  char* title;
  char* description;
  // Found only: the canonical name of the message found, which its note is
  // filed under ("A 2008" and "A02008" find A2008); empty when the message's
  // number is no error number, and no note is offered then.
  char name[kErrorNameSize];
};

// What the lookup window shows for a result: every field the outcome does not
// name stays empty ("").
struct LookupFields {
  const char* type;
  const char* title;
  const char* tool;
  const char* description;
};
extern const char kIncompleteNumberText[];   // "Please enter a complete error number"
extern const char kUnrecognizedToolText[];   // "Unrecognized tool"
extern const char kMessageNotFoundText[];    // "Could not find info for this error number"
LookupFields FieldsOf(const LookupResult& result);

// moduleFolder ends in a backslash (the add-in folder); an empty one finds no module.
LookupResult RunLookup(const char* number, const char* moduleFolder);
void ReleaseLookupResult(LookupResult& result);

// The message of number in the module at path (".dll" may be left out), split
// into its three pieces; false when it cannot be fetched. The pieces are heap
// buffers released by ReleaseMessagePieces.
bool FetchMessagePieces(const char* modulePath, uint32_t number, char** type, char** title, char** description);
void ReleaseMessagePieces(char** type, char** title, char** description);

// Every temporary text buffer: size bytes, zero-filled, from the process
// heap (null when it cannot be had); released by FreeText, which takes null.
char* AllocateText(size_t size);
void FreeText(char* text);

// A piece of a message as a terminated text of its own (AllocateText).
char* CopyPiece(const TextPiece& piece);

}  // namespace orva
