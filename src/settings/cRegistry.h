#pragma once

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

class QIODevice;

// The program's key tree: keys holding named, typed values, the way the
// settings have always been organised. This platform has no registry, so
// the tree lives in one human-readable text file that is read when it has
// changed and written whole, and flushed to the disk, on every write.
// Lines the reader does not understand (a value without quotes, a note)
// are kept as they were, in their key, and a comment after a value stays
// with it. Lines may end with CR LF, LF or CR; a line that is not UTF-8 is
// read as Windows-1252, and one far longer than any setting is left out.
//
// Use it as the settings store does: set ClassKey, SectionKey, ValueKey and
// ValueType, then get or set Value.
class cRegistry {
public:
    // Root keys, as their signed handle values.
    static constexpr int32_t kClassesRoot = static_cast<int32_t>(0x80000000u);
    static constexpr int32_t kLocalMachine = static_cast<int32_t>(0x80000002u);

    // Value types.
    static constexpr int32_t kString = 1;
    static constexpr int32_t kExpandString = 2;
    static constexpr int32_t kBinary = 3;
    static constexpr int32_t kDWord = 4;
    static constexpr int32_t kDWordBigEndian = 5;
    static constexpr int32_t kMultiString = 7;

    // Failures to create a key and to write a value.
    static constexpr int32_t kKeyFailed = 26001;
    // 27049 in the object-error range.
    static constexpr int32_t kWriteFailed = static_cast<int32_t>(0x800469A9u);

    // Removes the copies a write killed halfway left beside the file.
    explicit cRegistry(QString filePath);

    // Where the tree is kept: Quellix Technologies/Tablora 6.0.conf in the
    // user's configuration folder.
    static QString defaultFilePath();
    const QString& filePath() const { return filePath_; }

    int32_t ClassKey() const { return classKey_; }
    void setClassKey(int32_t key) { classKey_ = key; }
    const QString& SectionKey() const { return sectionKey_; }
    void setSectionKey(const QString& key) { sectionKey_ = key; }
    const QString& ValueKey() const { return valueKey_; }
    void setValueKey(const QString& name) { valueKey_ = name; }
    int32_t ValueType() const { return valueType_; }
    void setValueType(int32_t type) { valueType_ = type; }

    // The value addressed; an invalid variant when the key or value is
    // absent. Strings come back as QString (expandable ones expanded),
    // DWORDs as int32, anything else as QByteArray. Remembers the stored
    // type in ValueType.
    QVariant Value();
    // Writes the value by ValueType, creating the key as needed: a text as
    // a string, or as an expandable string only when ValueType asks for
    // one. Raises kKeyFailed or kWriteFailed when that cannot be done.
    void setValue(const QVariant& value);

    // Replaces %NAME% by the environment variable's value; unknown names
    // stay as they are.
    static QString expand(const QString& text);

private:
    struct Entry {
        int32_t type = kString;
        QVariant data;
        // What followed the value on its line: blanks and a "; note".
        QString comment;
    };
    struct Key {
        QString path;
        // By lower-case name: names are compared without regard to case.
        QMap<QString, QPair<QString, Entry>> values;
        // The key's lines that could not be read, in their order; written
        // back after its values.
        QStringList unread;
    };

    QString fullKeyPath() const;
    QString failureText(const QVariant& value) const;
    void load();
    void save(const QVariant& value);
    QByteArray serialise() const;
    void parse(QIODevice& file);
    static bool parseValue(const QString& line, QString& name, Entry& entry);
    void removeStaleCopies() const;

    QString filePath_;
    int32_t classKey_ = kLocalMachine;
    QString sectionKey_;
    QString valueKey_;
    int32_t valueType_ = kString;

    // By lower-case key path.
    QMap<QString, Key> keys_;
    // Lines of the file before its first key, other than its heading.
    QStringList preamble_;
    QDateTime loadedStamp_;
    qint64 loadedSize_ = -1;
    bool loaded_ = false;
};
