// Settings as gsmcfg prints them: one line per setting, named as the window
// labels it, or one JSON object keyed by those names.
#pragma once

#include <string>
#include <vector>

#include "model/settings.h"

namespace cli {

// The value as the window shows it: the text, "checked" or "not checked",
// the selected item's text or "(none)".
std::string DisplayValue(const model::Settings& s, model::FieldId f);

// "Label: value" lines, in the table's order.
std::string ShowText(const model::Settings& s);
// {"Label": value, ...}: texts as strings, check boxes as true or false,
// drop-downs as the item's text or null. Bytes above 0x7F are read as
// Windows-1252.
std::string ShowJson(const model::Settings& s);

// The settings whose values differ.
std::vector<model::FieldId> Differences(const model::Settings& a, const model::Settings& b);
// "Label: a-value -> b-value" lines.
std::string DiffText(const model::Settings& a, const model::Settings& b, const std::vector<model::FieldId>& fields);
// {"Label": {"a": value, "b": value}, ...}
std::string DiffJson(const model::Settings& a, const model::Settings& b, const std::vector<model::FieldId>& fields);

}  // namespace cli
