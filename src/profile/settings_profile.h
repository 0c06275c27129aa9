// Profile (.sf) files: every setting and the port name as keys of five
// sections ("COM", "SMS", "WZN", "TEL", "OTH"), in the order and with the
// names of the field table.
#pragma once

#include <string>

#include "model/settings.h"

namespace profile {

class IniText;

struct ProfileResult {
  bool ok = true;
  std::string reason;  // why it failed, for the user
};

// Writes every key into the file: an existing file is updated in place
// (other sections and keys stay), a missing one is created. All keys are
// applied to the content in memory and the file is then replaced in one
// step, so a failure leaves the file as it was.
ProfileResult SaveProfile(const model::Settings& settings, const std::string& path);

// Reads every key into *settings; a missing key, or a flag or index that
// does not read as an integer, gives the key's default. A file that does not
// exist or cannot be read fails and leaves *settings unchanged. No change
// rule runs here.
ProfileResult LoadProfile(const std::string& path, model::Settings* settings);

// The same two steps on a profile's text in memory, without the file.
// WriteSettings stops at the first value that cannot be stored as one line.
ProfileResult WriteSettings(const model::Settings& settings, IniText& ini);
void ReadSettings(const IniText& ini, model::Settings* settings);

}  // namespace profile
