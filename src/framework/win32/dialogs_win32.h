// The conversions behind the Win32 file dialogs, exposed for tests.
#pragma once

#include <windows.h>

#include <string>

namespace fw::win32 {

// "Text|*.a|Other|*.b;*.c" -> "Text\0*.a\0Other\0*.b;*.c\0\0" (as a string
// holding the NULs). A description without a pattern at the end is dropped;
// an empty filter gives an empty string (no filter).
std::string NativeFilter(const std::string& filter);

// The TOpenOption set as OFN_* flags (OFN_EXPLORER unless the old style is
// asked for).
DWORD NativeDialogFlags(unsigned options);
// The TOpenOptionEx set as OFN_EX_* flags.
DWORD NativeDialogFlagsEx(unsigned options_ex);

// The chosen file from the dialog's result buffer: the path itself, or for a
// multiple selection (folder, then names, NUL-separated) the first file.
std::string ChosenFile(const char* buffer, size_t size);

}  // namespace fw::win32
