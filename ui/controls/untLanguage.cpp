#include "ui/controls/untLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>
#include <vector>

#include "catalogue/untCatalogue.h"

TLanguage LanguageOfLocale(const QLocale& locale) {
    const QLocale::Language language = locale.language();
    return language == QLocale::Japanese || language == QLocale::C ? TLanguage::Japanese
                                                                   : TLanguage::English;
}

TLanguage ChosenLanguage(TLanguageChoice choice, const QLocale& desktop) {
    switch (choice) {
        case TLanguageChoice::Japanese:
            return TLanguage::Japanese;
        case TLanguageChoice::English:
            return TLanguage::English;
        default:
            return LanguageOfLocale(desktop);
    }
}

namespace {

TLanguage installed = TLanguage::Japanese;
std::vector<std::unique_ptr<QTranslator>> translators;

void Install(const QString& file, const QString& folder = {}) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, folder)) return;
    QCoreApplication::installTranslator(translator.get());
    translators.push_back(std::move(translator));
}

}  // namespace

TLanguage WindowLanguage() {
    return installed;
}

void InstallLanguage(TLanguage language) {
    RemoveLanguage();
    installed = language;
    SetTextLanguage(language == TLanguage::English ? TTextLanguage::English
                                                   : TTextLanguage::Japanese);
    if (language == TLanguage::English) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Install(QStringLiteral(":/i18n/tolvaney_en.qm"));
        return;
    }
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    Install(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void RemoveLanguage() {
    for (const auto& translator : translators)
        QCoreApplication::removeTranslator(translator.get());
    translators.clear();
    installed = TLanguage::Japanese;
    SetTextLanguage(TTextLanguage::Japanese);
}
