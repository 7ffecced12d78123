#include "ui/help/untHelp.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/controls/untWidgets.h"

namespace {

constexpr QSize kHelpSize(560, 600);

QString ReadPage() {
    QFile file(QStringLiteral(":/HOWTOPLAY"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

THelpWindow::THelpWindow(const std::filesystem::path& resultsFile, const QString& settingsFile,
                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("遊び方"));
    setFont(GothicFont(13));
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

QString AboutText() {
    return QStringLiteral(
               "Tolvaney - トルヴァニー -\r\nバージョン %1 (Build100316)\r\n\r\n"
               "コンピュータ（白）と対戦するリバーシです。\r\nQt %2 で動いています。")
        .arg(QStringLiteral(TOLVANEY_VERSION), QString::fromLatin1(qVersion()));
}
