#pragma once

#include <QLocale>

// Which language the window speaks. Japanese is the game's own: its texts are written in it,
// and it is what a Japanese desktop, or one with no language set (C, POSIX), gets. Every
// other desktop gets English until more translations exist.
enum class TLanguage { Japanese, English };

// What the player chose in 表示 → 言語: the desktop's language, or one of the window's.
enum class TLanguageChoice { Desktop, Japanese, English };
inline constexpr int kLanguageChoices = 3;

TLanguage LanguageOfLocale(const QLocale& locale);
TLanguage ChosenLanguage(TLanguageChoice choice, const QLocale& desktop = QLocale::system());

// Installs, before the first window, what the language needs: the game's catalogue for
// English, Qt's own Japanese buttons (はい, いいえ) for Japanese, and the default locale, in
// place of what an earlier call installed.
void InstallLanguage(TLanguage language);
// Takes back what InstallLanguage installed: the texts are the program's own (Japanese) again.
void RemoveLanguage();
// The language installed, Japanese until one is.
TLanguage WindowLanguage();
