#include "ui/controls/untScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// Set on a window shown before the desktop had put its frame round it.
constexpr char kAwaitingFrame[] = "tolvaneyAwaitingFrame";

bool FrameKnown(const QWidget& window) {
    return window.frameGeometry() != window.geometry();
}

// Fits each window into its screen's available area just before it is first drawn, and
// once more when the desktop's title bar and borders become known, which a window manager
// tells only after the window is shown.
class TScreenFit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (!object->isWidgetType() ||
            (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize))
            return false;
        auto* widget = static_cast<QWidget*>(object);
        if (!widget->isWindow() || !widget->screen()) return false;
        if (type == QEvent::Show) {
            widget->setProperty(kAwaitingFrame, !FrameKnown(*widget));
        } else {
            if (!widget->property(kAwaitingFrame).toBool() || !FrameKnown(*widget)) return false;
            widget->setProperty(kAwaitingFrame, false);
        }
        FitOnScreen(*widget, widget->screen()->availableGeometry());
        return false;
    }
};

}  // namespace

void KeepWindowsOnScreen() {
    static const bool installed = [] {
        qApp->installEventFilter(new TScreenFit(qApp));
        return true;
    }();
    (void)installed;
}

void FitOnScreen(QWidget& window, const QRect& area) {
    // The desktop's title bar and borders, known once the window has been shown.
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const QSize room = area.size() - frame;
    if (window.width() > room.width() || window.height() > room.height())
        window.resize(window.size().boundedTo(room).expandedTo(window.minimumSize()));
    // A window the program has not placed itself is placed by the window manager, or centred
    // over its parent, once its size is known.
    if (!window.testAttribute(Qt::WA_Moved)) return;
    const QRect placed(window.frameGeometry().topLeft(), window.size() + frame);
    const int left =
        std::max(area.left(), std::min(placed.left(), area.right() + 1 - placed.width()));
    const int top =
        std::max(area.top(), std::min(placed.top(), area.bottom() + 1 - placed.height()));
    window.move(left, top);
}
