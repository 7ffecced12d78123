#pragma once

// Where a tool finds the data the game embeds (the six pattern tables and the opening book).
// An installed tool PREFIX/bin/TOOL reads them from PREFIX/share/tolvaney, where the tools'
// package puts them; a tool run from its build tree reads the project's resources folder it
// was built from (TOLVANEY_RESOURCES).
#include <filesystem>
#include <system_error>

inline std::filesystem::path ShippedResourceFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path installed = self.parent_path().parent_path() / "share" / "tolvaney";
        if (fs::exists(installed / "TEXTDATA1", error)) return installed;
    }
    return TOLVANEY_RESOURCES;
}
