// Builds the built-in skin: draws the pieces, writes them as BMP entries
// with the INI text into a container, and compresses it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pieces.h"

namespace sb {

struct BuiltSkin {
  std::vector<Piece> pieces;
  std::string ini_name;
  std::string ini;
  std::vector<uint8_t> container;  // expanded
  std::vector<uint8_t> compressed;  // the "mxskn" resource
  // Program bitmap resources, as BMP files.
  std::vector<uint8_t> track_bmp, trackvert_bmp, menu_glyphs_bmp;
};

// Raises std::runtime_error when a piece cannot be stored at its depth.
BuiltSkin BuildSkin();

// The files the program's resource script takes, by file name.
std::vector<std::pair<std::string, std::vector<uint8_t>>> ResourceFiles(const BuiltSkin& skin);

}  // namespace sb
