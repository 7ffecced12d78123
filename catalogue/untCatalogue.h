#pragma once

// The program's own texts in another language, for the parts of the program without the
// windowing toolkit (the results files, the file-fault reasons, the command-line tools).
//
// Their texts are written in Japanese, the game's own language, and marked in the sources
// with Tr() (translated where it stands) or N_() and NC_() (a text kept in a table and
// translated where it is used). xgettext collects them into a gettext catalogue,
// translations/en.po, which translators edit with the usual tools; msgfmt compiles it and
// the build embeds it in the program, so no locale needs to be installed for it. A text the
// catalogue lacks stays Japanese.

// The languages of the program's own texts.
enum class TTextLanguage { Japanese, English };

// The language Tr() gives texts in, for the whole program: Japanese until set.
void SetTextLanguage(TTextLanguage language);
TTextLanguage TextLanguage();

// The text in the language set; the catalogue's strings live as long as the program.
const char* Tr(const char* text);
// The text in a given language, whatever is set.
const char* Tr(const char* text, TTextLanguage language);

// The text of a context (a word of a table, where one Japanese word has two English ones),
// in a given language.
const char* Tr(const char* context, const char* text, TTextLanguage language);

// Marks a text for the catalogue where it cannot be translated yet (a table, a constant).
#define N_(text) text
// The same for a text in a context, looked up with the three-argument Tr.
#define NC_(context, text) text
