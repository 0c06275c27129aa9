// Makes the seed corpus of every fuzz target, or checks a folder against it.
//
//   fuzz_seeds DIR          writes DIR/<target>/<name> for every seed and
//                           removes files of those folders that it does not make
//   fuzz_seeds --check DIR  exit status 1, with the differences listed, when
//                           DIR does not hold exactly those files
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "seed_corpus.h"

namespace fuzzseeds {

void Corpus::Add(const std::string& target, const std::string& name, Bytes input) {
  if (!targets_[target].emplace(name, std::move(input)).second) {
    std::fprintf(stderr, "fuzz_seeds: seed %s/%s made twice\n", target.c_str(), name.c_str());
    std::abort();
  }
}

void Corpus::Add(const std::string& target, const std::string& name, std::string_view text) {
  Add(target, name, Bytes(text.begin(), text.end()));
}

void Corpus::AddDictionary(const std::string& target, const std::vector<std::string>& tokens) {
  std::string text;
  for (const std::string& t : tokens) {
    text += '"';
    for (unsigned char ch : t) {
      if (ch == '"' || ch == '\\' || ch < 0x20 || ch >= 0x7F) {
        static const char kHex[] = "0123456789ABCDEF";
        text += "\\x";
        text += kHex[ch >> 4];
        text += kHex[ch & 15];
      } else {
        text += char(ch);
      }
    }
    text += "\"\n";
  }
  dictionaries_[target + ".dict"] = text;
}

}  // namespace fuzzseeds

namespace {

namespace fs = std::filesystem;
using fuzzseeds::Bytes;

Bytes ReadFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::set<std::string> FilesIn(const fs::path& dir) {
  std::set<std::string> names;
  if (fs::is_directory(dir))
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::string(argv[1]) == "--check";
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: fuzz_seeds [--check] DIR\n");
    return 2;
  }
  const fs::path root = argv[argc - 1];

  fuzzseeds::Corpus corpus;
  fuzzseeds::AddSkinSeeds(corpus);
  fuzzseeds::AddLinkSeeds(corpus);
  fuzzseeds::AddProfileSeeds(corpus);
  fuzzseeds::AddImageSeeds(corpus);
  fuzzseeds::AddArgsSeeds(corpus);
  fuzzseeds::AddJsonSeeds(corpus);
  fuzzseeds::AddPortsSeeds(corpus);

  int differences = 0;
  for (const auto& [target, seeds] : corpus.Targets()) {
    const fs::path dir = root / target;
    std::set<std::string> extra = FilesIn(dir);
    if (!check) fs::create_directories(dir);
    for (const auto& [name, input] : seeds) {
      extra.erase(name);
      const fs::path file = dir / name;
      if (check) {
        if (!fs::exists(file) || ReadFile(file) != input) {
          std::printf("%s/%s: %s\n", target.c_str(), name.c_str(), fs::exists(file) ? "differs" : "missing");
          ++differences;
        }
        continue;
      }
      std::ofstream f(file, std::ios::binary | std::ios::trunc);
      f.write(reinterpret_cast<const char*>(input.data()), std::streamsize(input.size()));
      if (!f) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", file.string().c_str());
        return 1;
      }
    }
    for (const std::string& name : extra) {
      if (check) {
        std::printf("%s/%s: not made by the seed code\n", target.c_str(), name.c_str());
        ++differences;
      } else {
        fs::remove(dir / name);
      }
    }
  }
  for (const auto& [name, text] : corpus.Dictionaries()) {
    const fs::path file = root / name;
    const Bytes bytes(text.begin(), text.end());
    if (check) {
      if (!fs::exists(file) || ReadFile(file) != bytes) {
        std::printf("%s: %s\n", name.c_str(), fs::exists(file) ? "differs" : "missing");
        ++differences;
      }
      continue;
    }
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f << text;
    if (!f) {
      std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", file.string().c_str());
      return 1;
    }
  }
  if (differences) std::printf("%d differences: scripts/fuzz.sh --seeds makes the corpus again\n", differences);
  return differences ? 1 : 0;
}
