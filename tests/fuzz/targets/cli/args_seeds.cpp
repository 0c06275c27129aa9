// Seeds of the args target: command lines, the words separated by NUL.
#include <utility>

#include "seed_corpus.h"

namespace fuzzseeds {
namespace {

Bytes Words(std::initializer_list<std::string_view> words) {
  Bytes out;
  bool first = true;
  for (std::string_view w : words) {
    if (!std::exchange(first, false)) out.push_back(0);
    out.insert(out.end(), w.begin(), w.end());
  }
  return out;
}

}  // namespace

void AddArgsSeeds(Corpus& c) {
  c.Add("args", "read", Words({"read", "/dev/ttyUSB0", "-o", "site.sf", "--wait", "2.5", "-q"}));
  c.Add("args", "write", Words({"write", "com12", "p.sf", "--verify", "--backup=old", "--repeat", "--wait=60"}));
  c.Add("args", "show", Words({"show", "p.sf", "--json"}));
  c.Add("args", "diff", Words({"diff", "--", "-b.sf", "--json"}));
  c.Add("args", "ports", Words({"ports"}));
  c.Add("args", "help", Words({"--help"}));
}

}  // namespace fuzzseeds
