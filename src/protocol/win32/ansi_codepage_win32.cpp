#include <windows.h>

#include "protocol/ansi_codepage.h"

namespace protocol {

// The controls hold text of the system's ANSI code page; convert as the
// system does, with its default character for what the code page lacks.
std::string WideToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* src = reinterpret_cast<const wchar_t*>(text.data());
  const int n = int(text.size());
  int size = WideCharToMultiByte(CP_ACP, 0, src, n, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string out(size_t(size), '\0');
  size = WideCharToMultiByte(CP_ACP, 0, src, n, out.data(), size, nullptr, nullptr);
  out.resize(size > 0 ? size_t(size) : 0);
  return out;
}

}  // namespace protocol
