// The settings file: read whole through the program's settings store,
// values asked for, one written back and read again.

#include "FuzzInput.h"
#include "rules/RunTimeError.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/cRegistry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFolder folder;
    const QString path = folder.write(QStringLiteral("Tablora.conf"), data, size);
    cRegistry registry(path);
    RegistrySettingsStore store(registry);
    try {
        (void)store.read(settings::kAutoPlay);
        (void)store.read(settings::kRangeIndex);
        (void)store.read(settings::kCurPlayer);
        store.write(settings::kAutoPlay, 0);
        if (store.read(settings::kAutoPlay) != 0)
            std::abort();
    } catch (const RunTimeError&) {
    }
    return 0;
}
