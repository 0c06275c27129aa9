#include "cli/commands.h"

#include <filesystem>
#include <system_error>

#include "cli/console.h"
#include "cli/report.h"
#include "cli/settings_text.h"
#include "cli/unit_link.h"
#include "cli/verify.h"
#include "model/change_rules.h"
#include "profile/settings_profile.h"
#include "protocol/settings_image.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

constexpr int kDefaultWaitMs = 60000;

int StatusOf(const LinkResult& r) {
  switch (r.status) {
    case LinkStatus::Done: return kExitOk;
    case LinkStatus::Interrupted: return kExitInterrupted;
    default: return kExitNoUnit;
  }
}

// A profile as the window's "Load Profile" leaves the settings: every key
// read (a missing one takes its default), then the change rules.
bool LoadSettings(const std::string& path, model::Settings* s, std::string* error) {
  const profile::ProfileResult r = profile::LoadProfile(path, s);
  if (!r.ok) {
    *error = "cannot read " + path + ": " + r.reason;
    return false;
  }
  model::ApplyChangeRules(*s);
  return true;
}

// The settings a read leaves in the window: decoded from the image, the
// change rules run, the port as it was chosen.
model::Settings SettingsRead(const protocol::SettingsImageBytes& image, const std::string& port) {
  model::Settings s;
  s.SetText("cbox_com", port);
  protocol::DecodeImage(image, s);
  model::ApplyChangeRules(s);
  return s;
}

bool SaveSettings(const model::Settings& s, const std::string& path, std::string* error) {
  const profile::ProfileResult r = profile::SaveProfile(s, path);
  if (!r.ok) *error = "cannot write " + path + ": " + r.reason;
  return r.ok;
}

// A folder that exists, checked before a unit is asked for anything.
bool FolderExists(const fs::path& folder, std::string* error) {
  std::error_code ec;
  const fs::path f = folder.empty() ? fs::path(".") : folder;
  if (fs::is_directory(f, ec)) return true;
  *error = "the folder " + f.string() + " does not exist";
  return false;
}

// DIR/unit-YYYYMMDD-HHMMSS.sf, with -2, -3, ... when two units come within
// one second.
std::string BackupPath(const std::string& dir) {
  const std::string stem = (fs::path(dir) / ("unit-" + LocalTimeStamp())).string();
  std::string path = stem + ".sf";
  std::error_code ec;
  for (int n = 2; fs::exists(path, ec) && n < 1000; ++n) path = stem + "-" + std::to_string(n) + ".sf";
  return path;
}

struct UnitOutcome {
  int status = kExitOk;
  std::string message;  // the result line, or why it failed
  bool port_unopened = false;
};

// One unit: the backup, the write and the verification, as asked.
UnitOutcome WriteOneUnit(const Command& c, UnitLink& link, const protocol::SettingsImageBytes& image, int wait_ms,
                         ProgressLine& progress) {
  auto on_block = [&](size_t n) { progress.Block(n); };
  auto link_failure = [&](const LinkResult& r) {
    progress.End();
    link.ClosePort();
    UnitOutcome o{StatusOf(r), r.message};
    o.port_unopened = r.status == LinkStatus::PortUnopened;
    return o;
  };

  std::string backup;
  if (!c.backup_dir.empty()) {
    progress.Begin("backup");
    const LinkResult r = link.Upload(wait_ms, on_block);
    if (!r.ok()) return link_failure(r);
    progress.End();
    backup = BackupPath(c.backup_dir);
    std::string error;
    if (!SaveSettings(SettingsRead(link.Image(), c.port), backup, &error)) {
      link.ClosePort();
      return {kExitUsage, error + "; nothing was written to the unit"};
    }
  }

  progress.Begin("write");
  LinkResult r = link.Download(image, wait_ms, on_block);
  if (!r.ok()) return link_failure(r);

  std::string what = "written";
  if (c.verify) {
    progress.Begin("verify");
    r = link.Upload(wait_ms, on_block);
    if (!r.ok()) return link_failure(r);
    if (auto diff = FirstDifference(image, link.Image())) {
      progress.End();
      link.ClosePort();
      return {kExitDiffers, "verify failed: " + *diff};
    }
    what += " and verified";
  }
  progress.End();
  link.ClosePort();
  if (!backup.empty()) what += "; backup in " + backup;
  return {kExitOk, what};
}

}  // namespace

int RunRead(const Command& c) {
  std::string error;
  if (!FolderExists(fs::path(c.output).parent_path(), &error)) return Fail(kExitUsage, "cannot write " + c.output + ": " + error);
  auto line = CreateSerialLine();
  UnitLink link(*line, c.port);
  ProgressLine progress(c.quiet);
  progress.Begin("read");
  const LinkResult r = link.Upload(c.wait_ms ? c.wait_ms : kDefaultWaitMs, [&](size_t n) { progress.Block(n); });
  progress.End();
  link.ClosePort();
  if (!r.ok()) return Fail(StatusOf(r), r.message);
  if (!SaveSettings(SettingsRead(link.Image(), c.port), c.output, &error)) return Fail(kExitUsage, error);
  Result("read " + c.port + " into " + c.output);
  return kExitOk;
}

int RunWrite(const Command& c) {
  const std::string& file = c.files.at(0);
  model::Settings s;
  std::string error;
  if (!LoadSettings(file, &s, &error)) return Fail(kExitUsage, error);
  protocol::SettingsImageBytes image;
  protocol::ClearImage(image);
  protocol::EncodeError encode_error;
  if (!protocol::EncodeImage(s, image, &encode_error))
    return Fail(kExitUsage, "cannot write " + file + " into a unit: " + encode_error.text);
  if (!c.backup_dir.empty() && !FolderExists(c.backup_dir, &error)) return Fail(kExitUsage, "--backup: " + error);

  auto line = CreateSerialLine();
  UnitLink link(*line, c.port);
  ProgressLine progress(c.quiet);
  // One unit waits for the unit as long as --wait says; a batch waits for
  // each next unit without limit unless --wait says otherwise.
  const int wait_ms = c.wait_ms ? c.wait_ms : (c.repeat ? 0 : kDefaultWaitMs);
  if (!c.repeat) {
    const UnitOutcome o = WriteOneUnit(c, link, image, wait_ms, progress);
    if (o.status != kExitOk) return Fail(o.status, o.message);
    Result(o.message + ": " + c.port);
    return kExitOk;
  }

  bool told_waiting = false;
  for (int unit = 1;;) {
    const UnitOutcome o = WriteOneUnit(c, link, image, wait_ms, progress);
    if (o.status == kExitInterrupted) return Fail(kExitInterrupted, o.message);
    if (o.port_unopened) {
      // The adapter is not there (yet, or between units): wait for it.
      if (!told_waiting) Fail(kExitOk, o.message + "; waiting for the port");
      told_waiting = true;
      if (link.WaitForPort().status == LinkStatus::Interrupted) return Fail(kExitInterrupted, "interrupted");
      continue;
    }
    told_waiting = false;
    if (o.status == kExitUsage) return Fail(o.status, o.message);
    Result("unit " + std::to_string(unit) + ": " + (o.status == kExitOk ? o.message : "FAILED: " + o.message));
    ++unit;
    if (link.WaitUntilGone().status == LinkStatus::Interrupted) return Fail(kExitInterrupted, "interrupted");
  }
}

int RunShow(const Command& c) {
  model::Settings s;
  std::string error;
  if (!LoadSettings(c.files.at(0), &s, &error)) return Fail(kExitUsage, error);
  std::fputs((c.json ? ShowJson(s) : ShowText(s)).c_str(), stdout);
  return kExitOk;
}

int RunDiff(const Command& c) {
  model::Settings a, b;
  std::string error;
  if (!LoadSettings(c.files.at(0), &a, &error) || !LoadSettings(c.files.at(1), &b, &error))
    return Fail(kExitUsage, error);
  const auto fields = Differences(a, b);
  std::fputs((c.json ? DiffJson(a, b, fields) : DiffText(a, b, fields)).c_str(), stdout);
  return fields.empty() ? kExitOk : kExitDiffers;
}

}  // namespace cli
