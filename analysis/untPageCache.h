#pragma once

// The analysis pages the game's window writes into the player's cache folder
// (~/.cache/tolvaney): each is named by the moment it was written, and the folder keeps the
// newest of them only, so that it does not grow with every game analysed.

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

// How many of its pages the cache folder keeps.
inline constexpr int KEPT_ANALYSIS_PAGES = 20;

// The file name of a page written at `when`, in local time to the millisecond:
// analysis-20261210-153012-045.html.
std::string AnalysisPageName(std::chrono::system_clock::time_point when);

// Whether a file name is one that AnalysisPageName gives.
bool IsAnalysisPageName(std::string_view name);

// Keeps `kept` pages in the folder of `written`, the page just written: it, and the newest of
// the others by their modification time; older pages are removed. Only files named as
// AnalysisPageName names them go, never another file. The page just written stays even when
// the others seem newer (the clock was set back meanwhile). A page that cannot be removed or
// read stays where it is.
void RemoveOldAnalysisPages(const std::filesystem::path& written, int kept = KEPT_ANALYSIS_PAGES);
