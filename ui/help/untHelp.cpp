#include "ui/help/untHelp.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <QScreen>

#include "ui/controls/untLanguage.h"
#include "ui/controls/untScreenFit.h"
#include "ui/controls/untWidgets.h"

namespace {

constexpr QSize kHelpSize(560, 600);
constexpr int kPagePixelSize = 13;

// The page in the window's language.
QString ReadPage() {
    QFile file(WindowLanguage() == TLanguage::Japanese ? QStringLiteral(":/HOWTOPLAY")
                                                       : QStringLiteral(":/HOWTOPLAY_EN"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

THelpWindow::THelpWindow(const std::filesystem::path& resultsFile, const QString& settingsFile,
                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("遊び方"));
    setFont(GothicFont(kPagePixelSize));
    resize(kHelpSize);
    Page = new QTextBrowser(this);
    Page->setOpenLinks(false);
    QString page = ReadPage();
    page.replace(QStringLiteral("{{RESULTS_FILE}}"),
                 QString::fromStdString(resultsFile.string()).toHtmlEscaped());
    page.replace(QStringLiteral("{{SETTINGS_FILE}}"), settingsFile.toHtmlEscaped());
    Page->setHtml(page);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Page);
}

void THelpWindow::SetScale(qreal scale) {
    setFont(GothicFont(qRound(kPagePixelSize * scale)));
    resize(kHelpSize * scale);
    if (isVisible() && screen()) FitOnScreen(*this, screen()->availableGeometry());
}

QString AboutText() {
    return QCoreApplication::translate(
               "THelpWindow",
               "Tolvaney - トルヴァニー -\r\nバージョン %1 (Build100316)\r\n\r\n"
               "コンピュータと、または二人で対戦するリバーシです。\r\nQt %2 で動いています。")
        .arg(QStringLiteral(TOLVANEY_VERSION), QString::fromLatin1(qVersion()));
}
