#pragma once

#include "app/state/skin.h"

#include <QString>

#include <functional>

// Start-up and shutdown steps that do not need a window: the program folders, the skin chosen
// last, and the settings written at exit.
namespace tessivo {

struct ProgramFolders {
    QString program;   // the executable's folder: data files, drawings and skins
    QString settings;  // face.txt and ji.txt: the program folder when writable, else the user's configuration folder

    // Folders of the running executable.
    static ProgramFolders forExecutable();
    // Folders for a program installed in `programFolder` (settings beside it when writable).
    static ProgramFolders forProgramFolder(const QString& programFolder);

    QString facePath() const;
    QString counterPath() const;
};

// The skin engine call: (skin file path, mode) -> result; a result whose low 16 bits are zero
// means the file was not accepted.
using SkinStarter = std::function<int(const QString& path, int mode)>;

// Creates face.txt when missing, reads the skin name and starts the skin engine.
Skin::State startSkin(const ProgramFolders& folders, const SkinStarter& start);

enum class ExitPage { None, OnlineLookup, Forum };

// The settings steps of the exit: face.txt := skin name, ji.txt advanced. Returns the page to
// open. Write failures are reported in `errors` (one line each) and do not stop the exit.
ExitPage writeExitSettings(const ProgramFolders& folders, const QString& skinFileName, const QString& timeText,
                           QStringList* errors = nullptr);

// Removes the temporary files a kill during the exit write left in the settings folder
// (face.txt.XXXXXX, ji.txt.XXXXXX) and nothing else. Only for the copy that holds the
// single-copy lock: another running copy may be writing them. Returns how many were removed.
int removeStaleSaveFiles(const ProgramFolders& folders);

}  // namespace tessivo
