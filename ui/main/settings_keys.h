#pragma once
// Where the program keeps its settings and the names of the values there. They stand in users'
// INI files and registries, so a rename loses what users chose: these never change.

namespace ui::mainwindow::settings_keys {

// The application (and organisation) name, which names the INI file and its folder.
inline constexpr char kApplication[] = "dadiRaravor";
inline constexpr char kRegistryPath[] = "HKEY_CURRENT_USER\\Software\\dadiRaravor";
inline constexpr char kSection[] = "Optionen";

inline constexpr char kDir1[] = "dir1";  // written empty on unload, never read
inline constexpr char kDir2[] = "dir2";
inline constexpr char kStartDir[] = "StartDir";
inline constexpr char kDir3[] = "dir3";
inline constexpr char kTxtOptDir[] = "txtOptDir";

}  // namespace ui::mainwindow::settings_keys
