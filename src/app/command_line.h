// The program's command line. Its one switch starts the window without the
// skin: the system's own frame and controls, for high-contrast and other
// accessibility settings, and for telling a skin problem from a program
// problem. Anything else on the command line is ignored.
#pragma once

#include <string>
#include <vector>

// True when the arguments (without the program name) hold "/noskin" or
// "--no-skin", in any case.
bool NoSkinRequested(const std::vector<std::string>& args);
