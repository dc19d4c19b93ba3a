// Who the game is to the desktop: one application id names its desktop entry, its metainfo,
// its icon and its window, so that menus, software centres and compositors match them up.
#pragma once

namespace quillon::game {

inline constexpr const char* kApplicationId = "example.pergamen_studio.Quillon";
inline constexpr const char* kApplicationName = "Quillon";
inline constexpr const char* kOrganisationName = "Pergamen";
inline constexpr const char* kOrganisationDomain = "pergamen-studio.example";
// The version comes from the build, so the package, the metainfo and `--version` agree.
inline constexpr const char* kVersion = QUILLON_VERSION;

}  // namespace quillon::game
