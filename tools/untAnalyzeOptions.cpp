#include "tools/untAnalyzeOptions.h"

#include <algorithm>
#include <string_view>
#include <thread>

#include "tools/untToolArgs.h"

TAnalysisLanguage LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* setting : {lcAll, lcMessages, lang}) {
        if (setting == nullptr || *setting == '\0') continue;
        return std::string_view(setting).starts_with("ja") ? TAnalysisLanguage::Japanese
                                                           : TAnalysisLanguage::English;
    }
    return TAnalysisLanguage::English;
}

TAnalysisOptions ParseAnalysisOptions(const std::vector<std::string>& args,
                                      const std::filesystem::path& resources,
                                      TAnalysisLanguage language) {
    TAnalysisOptions options;
    options.tables = resources;
    options.advice = resources / ADVICE_WEIGHTS_FILE;
    options.language = language;
    TAnalysisSettings& settings = options.settings;
    settings.threads = static_cast<int>(
        std::clamp<int64_t>(std::thread::hardware_concurrency(), 1, MAX_ANALYSIS_THREADS));
    const TFlags flags = {
        {"--threads", WholeNumberInto(settings.threads, 1, MAX_ANALYSIS_THREADS)},
        {"--exact", WholeNumberInto(settings.exactEmpties, 0, MAX_EXACT_EMPTIES)},
        {"--level", WholeNumberInto(settings.gameLevel, 2, 4)},
        {"--type",
         [&](const std::string&, const std::string& value) {
             if (value.size() != 1 || value[0] < 'A' || value[0] > 'D')
                 throw EBadInput("--type needs a thinking type A-D, not '" + value + "'");
             settings.thinkType = static_cast<uint8_t>(value[0] - 'A' + 1);
         }},
        {"--search",
         [&](const std::string&, const std::string& value) {
             if (value != "advice" && value != "game")
                 throw EBadInput("--search needs advice or game, not '" + value + "'");
             if (value == "game") options.advice.clear();
         }},
        {"--placement", WholeNumberInto(options.placement, 1, 4)},
        {"--tables", ValueInto(options.tables)},
        {"--lang",
         [&](const std::string&, const std::string& value) {
             if (value != "en" && value != "ja")
                 throw EBadInput("--lang needs en (English) or ja (Japanese), not '" + value + "'");
             options.language =
                 value == "ja" ? TAnalysisLanguage::Japanese : TAnalysisLanguage::English;
         }},
        {"--html", [&](const std::string&, const std::string& value) {
             if (value.empty()) throw EBadInput("--html needs a file name");
             options.html = value;
         }}};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& argument = args[i];
        if (argument == "--quiet") {
            options.quiet = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            const TFlagAction& action = ActionOf(flags, argument);
            if (i + 1 >= args.size()) throw EBadInput(argument + " needs a value");
            action(argument, args[++i]);
        } else {
            if (options.recordGiven)
                throw EBadInput("more than one record given: '" + argument + "'");
            options.recordGiven = argument != "-";
            options.record = argument;
        }
    }
    return options;
}
