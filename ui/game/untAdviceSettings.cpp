#include "ui/game/untAdviceSettings.h"

#include <QFile>
#include <QThread>
#include <algorithm>

#include "engine/untEngineError.h"
#include "ui/game/untMain.h"

std::shared_ptr<const TAdviceWeights> ShippedAdviceWeights() {
    static const std::shared_ptr<const TAdviceWeights> weights =
        []() -> std::shared_ptr<const TAdviceWeights> {
        QFile file(QStringLiteral(":/ADVICE"));
        if (!file.open(QIODevice::ReadOnly)) return nullptr;
        const QByteArray bytes = file.readAll();
        try {
            return TAdviceWeights::FromBytes({bytes.constData(), std::size_t(bytes.size())},
                                             ADVICE_WEIGHTS_FILE);
        } catch (const EEngineError&) {
            return nullptr;
        }
    }();
    return weights;
}

TAnalysisSettings WindowAdviceSettings(const TForm1& form, int exactEmpties) {
    TAnalysisSettings settings;
    settings.exactEmpties = exactEmpties;
    settings.advice = ShippedAdviceWeights();
    // The worker gets a copy of the pattern values as they are now.
    settings.tables = std::make_shared<const TPatternTable>(*form.Engine->PatternWeights);
    // Every core: the work runs beside the window, which stays free.
    settings.threads = std::max(1, QThread::idealThreadCount());
    return settings;
}
