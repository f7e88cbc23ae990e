#include "windows/common/Guard.h"

#include "data/cData.h"
#include "engine/Services.h"
#include "rules/RunTimeError.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcGuard, "tablora.guard")

namespace guard {

bool run(Services& services, const std::function<void()>& action)
{
    QString text;
    try {
        action();
        return true;
    } catch (const RunTimeError& e) {
        text = e.description();
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    }
    qCWarning(lcGuard) << "shown to the player:" << text;
    // Showing the error must not raise another one out of the handler.
    try {
        services.prompts().message(text, Prompts::Icon::Stop, Prompts::Buttons::Ok, cData::longProductName());
    } catch (...) {
        qCCritical(lcGuard) << "the error could not be shown:" << text;
    }
    return false;
}

} // namespace guard
