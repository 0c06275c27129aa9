// The seed corpus of the fuzz targets: a few named inputs per target, made
// by code, so that the corpus kept in the repository can be made again and
// checked against what the code makes. Inputs that once found a fault are
// kept here as well, named "regress-...".
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzseeds {

using Bytes = std::vector<uint8_t>;

class Corpus {
 public:
  // Adds one input; a name used twice for one target is a mistake in the
  // seed code and aborts.
  void Add(const std::string& target, const std::string& name, Bytes input);
  void Add(const std::string& target, const std::string& name, std::string_view text);

  // A libFuzzer dictionary for a target (kept as <target>.dict beside the
  // targets' folders): one "token" a line.
  void AddDictionary(const std::string& target, const std::vector<std::string>& tokens);

  // target -> name -> input
  const std::map<std::string, std::map<std::string, Bytes>>& Targets() const { return targets_; }
  // file name -> content
  const std::map<std::string, std::string>& Dictionaries() const { return dictionaries_; }

 private:
  std::map<std::string, std::map<std::string, Bytes>> targets_;
  std::map<std::string, std::string> dictionaries_;
};

void AddSkinSeeds(Corpus& c);
void AddLinkSeeds(Corpus& c);
void AddProfileSeeds(Corpus& c);
void AddImageSeeds(Corpus& c);
void AddArgsSeeds(Corpus& c);
void AddJsonSeeds(Corpus& c);
void AddPortsSeeds(Corpus& c);

}  // namespace fuzzseeds
