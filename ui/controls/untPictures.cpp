#include "ui/controls/untPictures.h"

#include <QWidget>
#include <algorithm>

namespace {

constexpr qreal kTwinRatio = 2;

QString TwinName(const QString& name) {
    return name + QStringLiteral("@2x");
}

}  // namespace

QPixmap ResourcePicture(const QString& name, qreal devicePixelRatio) {
    if (devicePixelRatio <= 1) return QPixmap(":/" + name);
    QPixmap twin(":/" + TwinName(name));
    if (twin.isNull()) return twin;
    twin.setDevicePixelRatio(kTwinRatio);
    if (devicePixelRatio == kTwinRatio) return twin;
    QPixmap fitted = twin.scaled(twin.deviceIndependentSize().toSize() * devicePixelRatio,
                                 Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(devicePixelRatio);
    return fitted;
}

QPixmap ResourcePicture(const QString& name, const QWidget* shownOn) {
    return ResourcePicture(name, shownOn->devicePixelRatioF());
}

QPixmap ResourcePicture(const QString& name, qreal zoom, const QWidget* shownOn) {
    const qreal screen = shownOn->devicePixelRatioF();
    QPixmap picture = ResourcePicture(name, zoom * screen);
    if (zoom != 1) picture.setDevicePixelRatio(std::max<qreal>(screen, 1));
    return picture;
}

QIcon ApplicationIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/ICON"));
    icon.addFile(":/" + TwinName(QStringLiteral("ICON")));
    return icon;
}
