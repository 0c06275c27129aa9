#include "framework/guard.h"

#include <string>

#include "framework/dialogs.h"
#include "framework/forms.h"

namespace fw {

void ReportFailure(const char* failure_text, const char* reason) noexcept {
  if (!failure_text) return;
  try {
    std::string text = failure_text;
    if (reason) text.append("\n").append(reason);
    Application().MessageBox(text, "Information", MB_OK_ | MB_ICONWARNING_);
  } catch (...) {
  }
}

}  // namespace fw
