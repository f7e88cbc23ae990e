#pragma once

#include <QString>

// Where the built-in default background picture comes from: the picture
// library saves it as a bitmap file when the program asks for it.
class DefaultPictureSource {
public:
    virtual ~DefaultPictureSource() = default;
    // False when the picture could not be written.
    virtual bool saveDefaultCustomImage(const QString& path) = 0;
};
