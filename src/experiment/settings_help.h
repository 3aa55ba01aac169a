#pragma once

#include <string>

namespace vorex {

// Every keyword of the settings with its unit, default, meaning, dialog caption and control name,
// and when the experiment uses it, as the Python module's help shows it: written from the
// settings table, so that it names every field and no other.
std::string SettingsHelp();

}  // namespace vorex
