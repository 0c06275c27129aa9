// RCDATA resources of the running program's own module.
#include "app/program_resource.h"

#include <windows.h>

bool FindProgramResource(const char* name, ProgramResource& out) {
  out = ProgramResource{};
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!info) return false;
  DWORD size = SizeofResource(module, info);
  HGLOBAL loaded = LoadResource(module, info);
  if (!loaded || size == 0) return false;
  const void* data = LockResource(loaded);
  if (!data) return false;
  out.data = static_cast<const uint8_t*>(data);
  out.size = size;
  return true;
}
