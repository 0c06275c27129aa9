#include <windows.h>

#include "text/codepage.h"

namespace text {

// Converted as the system does, with its default character for what the
// code page lacks.
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

std::u16string AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  const int n = int(text.size());
  int size = MultiByteToWideChar(CP_ACP, 0, text.data(), n, nullptr, 0);
  if (size <= 0) return {};
  std::u16string out(size_t(size), u'\0');
  size = MultiByteToWideChar(CP_ACP, 0, text.data(), n, reinterpret_cast<wchar_t*>(out.data()), size);
  out.resize(size > 0 ? size_t(size) : 0);
  return out;
}

}  // namespace text
