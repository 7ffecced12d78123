// The window in English: every text of the window, its menus, its dialogs and what a screen
// reader is told is English, whole and in its control, and the Japanese window is the
// program's own texts.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "PlayerWindow.h"
#include "ui/board/untBoardView.h"
#include "ui/controls/untLanguage.h"
#include "ui/game/untAnnouncer.h"
#include "ui/game/untStatusLine.h"
#include "ui/game/untSubForm.h"
#include "ui/help/untHelp.h"

namespace {

// Japanese a text may still hold in English: the game's name, the language's own name and
// the results files' names.
const char* const kKeptJapanese[] = {"トルヴァニー", "日本語", "成績_最強.dat", "成績.dat"};

bool IsJapanese(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) ||
           (u >= 0xFF00 && u <= 0xFFEF);
}

// Every text a control shows or a screen reader reads, with where it is.
struct TText {
    QString where, text;
    const QWidget* control = nullptr;  // a control whose text must fit its width
};

void AddTexts(const QWidget& widget, std::vector<TText>& texts) {
    const QString where = widget.metaObject()->className() + ("/" + widget.objectName());
    texts.push_back({where + " title", widget.windowTitle()});
    texts.push_back({where + " name", widget.accessibleName()});
    texts.push_back({where + " tip", widget.toolTip()});
    if (auto* label = qobject_cast<const QLabel*>(&widget)) texts.push_back({where, label->text()});
    if (auto* button = qobject_cast<const QAbstractButton*>(&widget))
        texts.push_back({where, button->text(), button});
    if (auto* group = qobject_cast<const QGroupBox*>(&widget))
        texts.push_back({where, group->title()});
    if (auto* page = qobject_cast<const QTextBrowser*>(&widget))
        texts.push_back({where, page->toPlainText()});
    for (const QAction* action : widget.actions())
        texts.push_back({where + " action", action->text()});
    if (QAccessibleInterface* face =
            QAccessible::queryAccessibleInterface(const_cast<QWidget*>(&widget)))
        for (int i = 0; i < face->childCount(); ++i)
            if (QAccessibleInterface* child = face->child(i); child && !child->object())
                texts.push_back({where + " cell", child->text(QAccessible::Name)});
}

// What is Japanese in the texts, or cut because it does not fit its control.
QStringList Faults(const std::vector<TText>& texts) {
    QStringList faults;
    for (const auto& [where, text, control] : texts) {
        QString rest = text;
        for (const char* kept : kKeptJapanese)
            rest.remove(QString::fromUtf8(kept));
        if (std::any_of(rest.begin(), rest.end(), IsJapanese))
            faults << where + ": " + text.left(60);
        // A radio button's circle, or a push button's frame.
        const int room =
            control ? control->width() - (control->inherits("QRadioButton") ? 24 : 8) : 0;
        if (control && control->isVisible() &&
            control->fontMetrics().horizontalAdvance(QString(text).remove('&')) > room)
            faults << where + " is cut: " + text;
    }
    return faults;
}

using LanguagesTest = TPlayerFolderTest;

// In English the window, the menus, the new-game dialog, the help, the pattern editor, the
// analysis's progress box, the boxes shown and the status line's and the screen reader's
// sentences hold no Japanese beyond the names kept, through a game's moves, a hint, a take
// back and a new game; at 100 % and at 200 % every button's text fits its button.
TEST_F(LanguagesTest, TheEnglishWindowShowsNoJapaneseAndCutsNoText) {
    struct TEnglish {  // the language is the program's; taken back whatever happens
        TEnglish() { InstallLanguage(TLanguage::English); }
        ~TEnglish() { RemoveLanguage(); }
    } english;
    {
        // A damaged results file: its boxes at the start are English too.
        const QString folder = Folder("english");
        QFile results(folder + "/成績.dat");
        ASSERT_TRUE(results.open(QIODevice::WriteOnly));
        results.write("1500\r\nxx\r\n");
        results.close();
        TPlayerWindow w(folder);
        QStringList said;
        QObject::connect(w.window.Announcer(), &TAnnouncer::Said,
                         [&](const QString& sentence) { said << sentence; });
        w.window.show();
        std::vector<TText> texts;
        const auto look = [&] {
            for (const QWidget* widget : QApplication::allWidgets())
                if (widget->isVisible() || widget->window() == &w.window) AddTexts(*widget, texts);
            for (const QAction* menu : w.window.menuBar()->actions()) {
                texts.push_back({"menu", menu->text()});
                if (menu->menu())
                    for (const QAction* item : menu->menu()->actions()) {
                        texts.push_back({"menu item", item->text()});
                        if (item->menu())
                            for (const QAction* choice : item->menu()->actions())
                                texts.push_back({"menu choice", choice->text()});
                    }
            }
        };
        look();
        for (const char* keys : {"f5", "d6", "c3"}) {
            QTest::keyClicks(w.window.Board(), keys);
            WaitWhileBusy(w.form);
            look();
        }
        w.window.HintAction->trigger();
        ASSERT_TRUE(Eventually([&] { return w.window.Board()->HintSquare() != 0; }));
        look();
        w.window.TakeBackAction->trigger();
        w.window.ResultsAction->trigger();
        look();
        w.window.AboutAction->trigger();
        for (const QString& box : w.dialogs.shown)
            texts.push_back({"box", box});
        for (TForm2* dialog = w.form.NewGameDialog;
             QWidget * window :
             {static_cast<QWidget*>(dialog), static_cast<QWidget*>(w.form.PatternEditor)}) {
            window->show();
            look();
            w.window.ScaleActions[3]->trigger();  // 200 %
            look();
            w.window.ScaleActions[0]->trigger();
            window->hide();
        }
        w.window.HowToPlayAction->trigger();
        look();
        w.window.AnalyseAction->trigger();
        look();
        if (auto* progress = w.window.findChild<QProgressDialog*>()) progress->cancel();
        w.form.StartNewGame();
        look();
        for (const QString& sentence : said)
            texts.push_back({"said", sentence});
        EXPECT_GT(texts.size(), 500u);
        EXPECT_GE(w.dialogs.shown.size(), 3) << "the results file's two boxes and the About box";
        const QStringList faults = Faults(texts);
        EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
    }
}

}  // namespace
