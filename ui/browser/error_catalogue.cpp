// The Error Browser's catalogue. (Being built.)
#include "ui/browser/error_catalogue.h"

namespace orva {

void FillErrorCatalogue() {}
void AddErrorItem(void*, uint32_t, const MessageEntry&) {}
void ShowErrorDetail(HTREEITEM, uint32_t) {}

}  // namespace orva
