// Colour scheme files: six numbers of 0..255, or nothing.

#include "FuzzInput.h"
#include "appearance/Background.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFolder folder;
    const std::optional<std::array<int, 6>> scheme =
        background::readScheme(folder.write(QStringLiteral("scheme"), data, size));
    if (scheme)
        for (const int value : *scheme)
            if (value < 0 || value > 255)
                std::abort();
    return 0;
}
