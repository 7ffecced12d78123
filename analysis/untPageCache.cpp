#include "analysis/untPageCache.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What AnalysisPageName gives, a digit where the form has '#'.
constexpr std::string_view kNameForm = "analysis-########-######-###.html";

struct TPage {
    fs::file_time_type modified;
    fs::path path;
};

// The pages of the folder other than `written`, the newest first (of two written at the same
// moment, the later name first). A file whose time cannot be read is left out.
std::vector<TPage> OtherPagesNewestFirst(const fs::path& written) {
    std::vector<TPage> pages;
    std::error_code fault;
    for (fs::directory_iterator entry(written.parent_path(), fault), end; !fault && entry != end;
         entry.increment(fault)) {
        const fs::path& path = entry->path();
        std::error_code unreadable;
        if (path == written || !IsAnalysisPageName(path.filename().string()) ||
            entry->is_symlink(unreadable) || !entry->is_regular_file(unreadable))
            continue;
        const fs::file_time_type time = entry->last_write_time(unreadable);
        if (!unreadable) pages.push_back({time, path});
    }
    std::sort(pages.begin(), pages.end(), [](const TPage& a, const TPage& b) {
        return a.modified != b.modified ? a.modified > b.modified : a.path > b.path;
    });
    return pages;
}

}  // namespace

std::string AnalysisPageName(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count();
    std::tm local{};
    localtime_r(&seconds, &local);
    char moment[32];
    std::strftime(moment, sizeof moment, "%Y%m%d-%H%M%S", &local);
    char name[64];
    std::snprintf(name, sizeof name, "analysis-%s-%03d.html", moment,
                  static_cast<int>((milliseconds % 1000 + 1000) % 1000));
    return name;
}

bool IsAnalysisPageName(std::string_view name) {
    return name.size() == kNameForm.size() &&
           std::equal(name.begin(), name.end(), kNameForm.begin(), [](char c, char form) {
               return form == '#' ? c >= '0' && c <= '9' : c == form;
           });
}

void RemoveOldAnalysisPages(const std::filesystem::path& written, int kept) {
    const std::vector<TPage> others = OtherPagesNewestFirst(written);
    for (std::size_t i = static_cast<std::size_t>(std::max(kept - 1, 0)); i < others.size(); ++i) {
        std::error_code stays;
        fs::remove(others[i].path, stays);
    }
}
