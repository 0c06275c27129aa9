#include "app/command_line.h"

#include <algorithm>

#include "text/ascii.h"

bool NoSkinRequested(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(), [](const std::string& a) {
    return text::EqualNoCase(a, "/noskin") || text::EqualNoCase(a, "--no-skin");
  });
}
