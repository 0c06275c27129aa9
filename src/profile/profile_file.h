// Whole-file reading and replacing for profile files. The platform parts
// live in posix/ and win32/; both report failures with the system's reason.
#pragma once

#include <string>

namespace profile {

// Profiles are a few kilobytes; a file larger than this is refused rather
// than read, which also bounds the work a load or save can cost.
constexpr size_t kMaxProfileBytes = 1u << 20;

enum class ReadStatus { Ok, Missing, Failed };

// Reads the whole file into *content. Missing: the file does not exist
// (*content is then empty). Failed: it exists but cannot be read, or is
// larger than kMaxProfileBytes; *reason says why.
ReadStatus ReadProfileFile(const std::string& path, std::string* content, std::string* reason);

// Replaces the file's content in one step: writes a temporary file in the
// same folder, flushes it and renames it over the file, so that the file is
// either wholly old or wholly new. A file the user has made read-only is
// not replaced. False, with the file unchanged and the reason in *reason,
// when any step fails.
bool ReplaceProfileFile(const std::string& path, const std::string& content, std::string* reason);

}  // namespace profile
