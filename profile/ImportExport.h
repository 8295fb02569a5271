#pragma once

#include <cstdint>
#include <filesystem>

#include "app/SharedState.h"
#include "platform/ini/IniFile.h"

namespace pelmar {

// Copies of the edited profile and of the user macro table in files the user
// chose. An exported profile is a settings file whose exchange section
// (Config7) holds the 22 profile keys; exported macros are a macro file.
// Nothing here is sent to the mouse or written to the program's own files.

// The files of the import and export actions.
enum class FileKind : std::uint8_t { Profile, Macros };
enum class FileAction : std::uint8_t { Import, Export };

// What an import of a profile file did.
enum class [[nodiscard]] ProfileImport : std::uint8_t{
    Imported,   // the file's profile is now the edited profile
    NoProfile,  // the file has no exchange section; nothing changed
};

// Loads the file's exchange section into the edited profile.
// currentProfileNumber is kept, so the imported settings become that
// profile's only when the user saves or applies. A file without the section
// (config.ini itself, say) changes nothing, so that a later apply cannot
// leave the mouse without a left click.
ProfileImport ImportProfile(SharedState& state, const std::filesystem::path& path);

// Writes the edited profile into the file's exchange section; the file's
// other sections stay as they were.
ini::WriteResult ExportProfile(const SharedState& state, const std::filesystem::path& path);

// Replaces the user macros by the file's (a missing file shows its message
// and gives an empty table). They reach the user macro file only when the
// user saves them.
void ImportMacros(SharedState& state, const std::filesystem::path& path);

// Writes the user macro table into the file. Called on the user-interface
// thread, the table's only writer.
ini::WriteResult ExportMacros(const SharedState& state, const std::filesystem::path& path);

}  // namespace pelmar
