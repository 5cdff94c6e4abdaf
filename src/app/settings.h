// Persistence of the main window's controls: the settings file, section
// "基本配置", and the two word-list files beside it; and the read-only
// section "服务地址" that points the program at the services.
#pragma once

#include <string>
#include <vector>

#include "app/settings_store.h"
#include "net/service_hosts.h"

namespace pelrine {

class MainWindow;

inline constexpr char kSettingsFileName[] = "pelrine.ini";

// The settings file of a program directory (given without a trailing backslash).
std::string SettingsFilePath(const std::string& program_directory);

// The hosts the settings file names in its section "服务地址"; the built-in
// one for every key that is missing or blank.
ServiceHosts ReadServiceHosts(const std::string& settings_file);

// Fills the window from `store` (whose file is set) and the word-list files.
void LoadSettings(MainWindow& window, SettingsStore& store);

// Writes the window to `store` and the word-list files. Answers the files
// that could not be written (none when everything was saved).
std::vector<std::string> SaveSettings(const MainWindow& window, SettingsStore& store);

// The ten keys of the short-URL interface, on a store whose file and section
// are set. The save answers whether every key was written.
bool HasInterfaceSettings(const SettingsStore& store);  // any of the ten keys
void LoadInterfaceSettings(const MainWindow& window, const SettingsStore& store);
bool SaveInterfaceSettings(const MainWindow& window, const SettingsStore& store);

}  // namespace pelrine
