// RunLookup and the fetch of one message's three pieces.
#include "lookup/error_lookup.h"

#include <windows.h>

#include "lookup/message_module.h"

namespace orva {

const char kIncompleteNumberText[] = "Please enter a complete error number";
const char kUnrecognizedToolText[] = "Unrecognized tool";
const char kMessageNotFoundText[] = "Could not find info for this error number";

LookupFields FieldsOf(const LookupResult& result) {
  switch (result.outcome) {
    case LookupOutcome::Found:
      return {result.type, result.title, result.toolLabel, result.description};
    case LookupOutcome::IncompleteNumber:
      return {"", "", "", kIncompleteNumberText};
    case LookupOutcome::UnrecognizedTool:
      return {"", "", kUnrecognizedToolText, ""};
    case LookupOutcome::MessageNotFound:
      break;
  }
  return {"", "", result.toolLabel, kMessageNotFoundText};
}

char* AllocateText(size_t size) { return static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size)); }

void FreeText(char* text) {
  if (text != nullptr) HeapFree(GetProcessHeap(), 0, text);
}

char* CopyPiece(const TextPiece& piece) {
  char* copy = AllocateText(piece.length + 1);
  if (copy == nullptr) return nullptr;
  for (size_t i = 0; i < piece.length; ++i) copy[i] = piece.start[i];
  return copy;
}

bool FetchMessagePieces(const char* modulePath, uint32_t number, char** type, char** title, char** description) {
  *type = *title = *description = nullptr;
  HMODULE module = OpenMessageModule(modulePath);
  if (module == nullptr) return false;
  char* text = FindMessage(module, number);
  // The fetched text is a buffer of its own: the module can go before it is used.
  CloseMessageModule(module);
  if (text == nullptr) return false;

  const MessagePieces pieces = SplitMessageText(text);
  *type = CopyPiece(pieces.type);
  *title = CopyPiece(pieces.title);
  *description = CopyPiece(pieces.description);
  ReleaseMessageText(text);
  if (*type == nullptr || *title == nullptr || *description == nullptr) {
    ReleaseMessagePieces(type, title, description);
    return false;
  }
  return true;
}

void ReleaseMessagePieces(char** type, char** title, char** description) {
  FreeText(*type);
  FreeText(*title);
  FreeText(*description);
  *type = *title = *description = nullptr;
}

LookupResult RunLookup(const char* number, const char* moduleFolder) {
  LookupResult result{LookupOutcome::UnrecognizedTool, "", nullptr, nullptr, nullptr, {}};
  const ErrorNumberClass kind = ClassifyErrorNumber(number);
  result.outcome = kind.outcome;
  if (kind.outcome != LookupOutcome::Found) return result;

  result.toolLabel = kind.family->label;
  char path[kPathSize];
  // A module without a path of its own reads like a missing one.
  if (!MessageModulePath(moduleFolder, *kind.family, path) ||
      !FetchMessagePieces(path, kind.messageNumber, &result.type, &result.title, &result.description)) {
    result.outcome = LookupOutcome::MessageNotFound;
    return result;
  }
  AppendText(result.name, ErrorNumberOfMessage(*kind.family, kind.messageNumber).name);
  return result;
}

void ReleaseLookupResult(LookupResult& result) {
  ReleaseMessagePieces(&result.type, &result.title, &result.description);
}

}  // namespace orva
