#include "app/command_line.h"

#include <algorithm>
#include <cctype>

bool NoSkinRequested(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(), [](std::string a) {
    for (char& c : a) c = char(std::tolower(static_cast<unsigned char>(c)));
    return a == "/noskin" || a == "--no-skin";
  });
}
