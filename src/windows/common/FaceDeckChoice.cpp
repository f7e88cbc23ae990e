#include "windows/common/FaceDeckChoice.h"

#include "engine/SettingsStore.h"
#include "pictures/CardPictures.h"
#include "pictures/FaceDeck.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcFaceDeckChoice, "tablora.decks")

namespace faceDeckChoice {

std::shared_ptr<FaceDeck> stored(const SettingsStore& settings)
{
    const QString path = settings.read(settings::kFaceDeck);
    if (path.isEmpty())
        return nullptr;
    try {
        return std::make_shared<FaceDeck>(path);
    } catch (const RunTimeError&) {
        qCWarning(lcFaceDeckChoice).noquote() << "the chosen card deck" << path << "is gone - the drawn faces are used";
        return nullptr;
    }
}

void apply(const SettingsStore& settings, CardPictures& pictures)
{
    const QString path = settings.read(settings::kFaceDeck);
    const std::shared_ptr<FaceDeck>& current = pictures.faceDeck();
    if (current ? current->path() == path : path.isEmpty())
        return;
    pictures.setFaceDeck(stored(settings));
}

} // namespace faceDeckChoice
