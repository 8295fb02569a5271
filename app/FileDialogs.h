#pragma once

#include <QFileDialog>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/SharedState.h"
#include "profile/ImportExport.h"

namespace pelmar {

// The file dialog of an action: it starts in `folder` with no file name and
// shows only the kind's files; an export names the file with the kind's
// extension when the user leaves it out and asks before replacing a file.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, FileKind kind, FileAction action,
                                            const std::filesystem::path& folder);

// Runs the action's dialog over `parent`, starting in the program folder,
// then imports or exports the chosen file. A cancelled dialog does nothing;
// a profile file without a profile shows a message and changes nothing.
// True when the profile or the macro table in memory changed.
bool RunFileAction(QWidget* parent, SharedState& state, FileKind kind, FileAction action);

}  // namespace pelmar
