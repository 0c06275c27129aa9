// Win32 flavour: system metrics, the non-client caption font, RT_BITMAP
// resources of the program and the application window's icon.
#include <cstring>
#include <vector>

#include "framework/forms.h"
#include "framework/win32/dib_section.h"
#include "skin/bmp_reader.h"
#include "skin/skin_platform.h"

// After the framework headers: windows.h defines GetRValue and friends as
// macros.
#include <windows.h>

namespace skin::platform {

bool ScrollBarInfoAvailable() {
  HMODULE user = GetModuleHandleA("user32.dll");
  return user && GetProcAddress(user, "GetScrollBarInfo") != nullptr;
}

int HorzScrollArrowWidth() { return GetSystemMetrics(SM_CXHSCROLL); }

void MaximizedSize(int& width, int& height) {
  width = GetSystemMetrics(SM_CXMAXIMIZED);
  height = GetSystemMetrics(SM_CYMAXIMIZED);
}

fw::TFont CaptionFont() {
  fw::TFont f;
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
    f.Name = ncm.lfCaptionFont.lfFaceName;
    f.Height = ncm.lfCaptionFont.lfHeight;
    f.Charset = ncm.lfCaptionFont.lfCharSet;
    f.Style = (ncm.lfCaptionFont.lfWeight >= FW_BOLD ? unsigned(fw::fsBold) : 0u) |
              (ncm.lfCaptionFont.lfItalic ? unsigned(fw::fsItalic) : 0u);
  }
  f.Color = fw::clWindowText;
  return f;
}

fw::TBitmap ApplicationIconBitmap() {
  int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
  if (w <= 0 || h <= 0) w = h = 16;
  fw::TBitmap out(w, h, 0xFF00FF);
  out.Transparent = true;
  HWND app = static_cast<HWND>(fw::Application().Handle());
  if (!app) return out;
  HICON icon = reinterpret_cast<HICON>(SendMessageA(app, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(app, WM_GETICON, ICON_BIG, 0));
  if (!icon) return out;
  HICON scaled = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, w, h, 0));
  fw::win32::TDibSection dib(w, h);
  if (dib.Ok()) {
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    RECT r{0, 0, w, h};
    FillRect(dib.Dc(), &r, magenta);
    DeleteObject(magenta);
    DrawIconEx(dib.Dc(), 0, 0, scaled ? scaled : icon, w, h, 0, nullptr, DI_NORMAL);
    out = dib.Save();
    out.Transparent = true;
  }
  if (scaled) DestroyIcon(scaled);
  return out;
}

// An RT_BITMAP resource holds a BMP file without its 14-byte file header;
// the header is put back so that the BMP reader checks the whole image.
bool LoadNativeBitmap(const std::string& name, fw::TBitmap& bmp) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(2));  // RT_BITMAP
  if (!info) return false;
  DWORD size = SizeofResource(module, info);
  HGLOBAL loaded = LoadResource(module, info);
  const uint8_t* dib = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
  if (!dib || size < 16) return false;
  uint32_t header_size, colours = 0, compression = 0;
  uint16_t bpp;
  std::memcpy(&header_size, dib, 4);
  if (header_size < 40 || header_size > size) return false;
  std::memcpy(&bpp, dib + 14, 2);
  std::memcpy(&compression, dib + 16, 4);
  std::memcpy(&colours, dib + 32, 4);
  uint64_t palette = 0;
  if (bpp <= 8) palette = uint64_t(colours ? colours : (1u << bpp)) * 4;
  if (compression == 3 && header_size == 40) palette += 12;  // BI_BITFIELDS masks
  uint64_t offset = 14 + header_size + palette;
  if (offset > 14 + uint64_t(size)) return false;
  std::vector<uint8_t> file(14 + size_t(size));
  file[0] = 'B';
  file[1] = 'M';
  uint32_t file_size = uint32_t(file.size()), off = uint32_t(offset);
  std::memcpy(&file[2], &file_size, 4);
  std::memcpy(&file[10], &off, 4);
  std::memcpy(&file[14], dib, size);
  return LoadBmp(file, bmp);
}

}  // namespace skin::platform
