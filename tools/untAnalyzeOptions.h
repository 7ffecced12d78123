#pragma once

// The command line of tolvaney-analyze.

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/untAnalysis.h"

// The analysis as the command line sets it up.
struct TAnalysisOptions {
    TAnalysisSettings settings;
    std::filesystem::path tables;  // the folder of TEXTDATA1..6 for type C
    std::filesystem::path advice;  // the advice's evaluation; empty: the engine's own search
    std::string html;              // the page to write, if any
    std::string record;            // the record given on the command line
    bool recordGiven = false;      // false: read it from standard input
    bool quiet = false;            // no progress on standard error
    int placement = 1;
    TAnalysisLanguage language = TAnalysisLanguage::English;  // of the report and the page
};

// The language the user's locale asks for: the first of LC_ALL, LC_MESSAGES and LANG that
// is set and not empty decides; Japanese when it begins with "ja", English otherwise. A
// variable given as nullptr is not set.
TAnalysisLanguage LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);

// Reads the command line (without the program's name): [--search advice|game] [--exact N]
// [--level L] [--type T]
// [--tables DIR] [--html FILE] [--placement P] [--lang en|ja] [--quiet] [RECORD | -]. The
// tables and the advice's evaluation default to those in resources, the language to
// `language`. Throws EBadInput.
// (--help and --version are answered before.)
TAnalysisOptions ParseAnalysisOptions(const std::vector<std::string>& args,
                                      const std::filesystem::path& resources,
                                      TAnalysisLanguage language = TAnalysisLanguage::English);
