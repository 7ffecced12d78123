#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>

class QTextBrowser;

// The help page 遊び方: the rules, the levels, the thinking types in a player's words, the
// keyboard, and where the results and the settings are kept. A window of its own, so that
// it can stay open beside the game.
class THelpWindow : public QDialog {
    Q_OBJECT
public:
    THelpWindow(const std::filesystem::path& resultsFile, const QString& settingsFile,
                QWidget* parent);

    QTextBrowser* Page;
    // The page's text at a scale of its size, and the window with it.
    void SetScale(qreal scale);
};

// The text of バージョン情報.
QString AboutText();
