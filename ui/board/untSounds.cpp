#include "ui/board/untSounds.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {

const char* const kFiles[kSounds] = {"placed", "pass", "won", "lost", "drawn"};
constexpr qreal kVolume = 0.6;

QtMessageHandler passOn = nullptr;

// What the toolkit says on finding no sound server or device; a game without sound has
// nothing to tell about it.
void KeepBackMissingDevice(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (message.startsWith(QLatin1String("PulseAudioService:")) ||
        message.startsWith(QLatin1String("No audio device"))) {
        return;
    }
    if (passOn) passOn(type, context, message);
}

// Whether the machine has a sound output now. The first question starts the toolkit's
// sound service, which complains when it finds no server.
bool HasOutput() {
    passOn = qInstallMessageHandler(KeepBackMissingDevice);
    const bool any = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(passOn);
    return any;
}

}  // namespace

TSounds::TSounds(TForm1& form) : QObject(&form), form_(form) {
    connect(&form_, &TForm1::Happened, this, &TSounds::Hear);
}

std::optional<TSound> TSounds::SoundOf(THappening what, int own, int other) {
    switch (what) {
        case THappening::HumanMoved:
        case THappening::ComputerMoved:
            return TSound::Placed;
        case THappening::HumanPassed:
        case THappening::ComputerPassed:
            return TSound::Pass;
        case THappening::GameOver:
            return own > other ? TSound::Won : own < other ? TSound::Lost : TSound::Drawn;
        default:
            return std::nullopt;
    }
}

void TSounds::Hear(THappening what) {
    if (!on_) return;
    // The player's discs first: the person's against the computer; in a game of two, a win
    // is a win for whoever made it.
    const int black = form_.Engine->BlackCount, white = form_.Engine->WhiteCount;
    const bool ownWhite = form_.TwoPlayers() ? white > black : form_.HumanIsWhite;
    if (const auto sound = SoundOf(what, ownWhite ? white : black, ownWhite ? black : white))
        Play(*sound);
}

void TSounds::Play(TSound sound) {
    emit Due(sound);
    if (!HasOutput()) return;
    QSoundEffect*& effect = effects_[static_cast<size_t>(sound)];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(
            QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(kFiles[static_cast<int>(sound)])));
        effect->setVolume(kVolume);
    }
    effect->play();
}
