#pragma once
// A home folder of the test process's own. Qt keeps what a user would expect remembered in the
// home folder: the file dialog's last folder and history (QtProject.conf), the program's recent
// files, caches and the runtime folder. Tests that run side by side, or a user's own session,
// would otherwise read what another wrote, and a file dialog would open wherever the last one
// was left. Make one before the QApplication; it is removed with everything in it at the end.

#include <stdlib.h>
#include <sys/stat.h>

#include <string>
#include <utility>

#include "scratch_folder.hpp"

namespace et::test {

class PrivateHome {
public:
    PrivateHome() {
        const std::pair<const char*, const char*> places[] = {
            {"HOME", "home"},
            {"XDG_CONFIG_HOME", "home/.config"},
            {"XDG_DATA_HOME", "home/.local/share"},
            {"XDG_STATE_HOME", "home/.local/state"},
            {"XDG_CACHE_HOME", "home/.cache"},
            {"XDG_RUNTIME_DIR", "runtime"},
            {"TMPDIR", "tmp"},
        };
        for (const auto& [variable, folder] : places) {
            const std::string path = folder_ / folder;
            std::filesystem::create_directories(path);
            ::setenv(variable, path.c_str(), 1);
        }
        // Qt uses a runtime folder only when no one else can enter it.
        ::chmod((folder_ / "runtime").c_str(), 0700);
    }

private:
    ScratchFolder folder_;
};

} // namespace et::test
