#include "ui/game/untAnnouncer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QStatusBar>

namespace {

// A notification: a label of the status line that is never shown.
class TNotification : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
};

// The notification as a screen reader finds it: its role, and its text as its name.
class TNotificationAccessible : public QAccessibleWidget {
public:
    explicit TNotificationAccessible(TNotification* label)
        : QAccessibleWidget(label, QAccessible::Notification) {}
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Name) return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(type);
    }
};

QAccessibleInterface* NotificationFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(TNotification::staticMetaObject.className())) return nullptr;
    auto* label = qobject_cast<TNotification*>(object);
    return label ? new TNotificationAccessible(label) : nullptr;
}

}  // namespace

void InstallAnnouncerAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(NotificationFactory);
        return true;
    }();
    (void)installed;
}

TAnnouncer::TAnnouncer(QStatusBar& bar) : QObject(&bar) {
    InstallAnnouncerAccessibility();
    for (QLabel*& notification : notifications_) {
        notification = new TNotification(&bar);
        notification->setObjectName(QStringLiteral("notification"));
        notification->hide();
    }
}

void TAnnouncer::Say(const QString& sentence) {
    if (sentence.isEmpty()) return;
    if (queued_.isEmpty())
        QMetaObject::invokeMethod(this, &TAnnouncer::Announce, Qt::QueuedConnection);
    queued_ += sentence;
}

void TAnnouncer::Announce() {
    QLabel* notification = notifications_[next_];
    next_ = (next_ + 1) % static_cast<int>(notifications_.size());
    notification->setText(queued_);
    queued_.clear();
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit Said(notification->text());
}

#include "untAnnouncer.moc"
