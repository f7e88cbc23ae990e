#include "settings/cRegistry.h"

#include "engine/SettingsStore.h"
#include "rules/RunTimeError.h"
#include "rules/WholeFile.h"
#include "settings/LineReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString kSource = QStringLiteral("Tablora.cRegistry");
// Far more than any line the program writes: the longest is a folder's
// path.
constexpr qsizetype kLongestLine = 64 * 1024;
const QString kHeader =
    QStringLiteral("; Tablora settings: one [key] per section, one \"name\"=value line per setting.\n"
                   "; Values: \"text\", expand:\"text with %VARIABLES%\", dword:hex, hex:bytes.\n");

QString rootName(int32_t root)
{
    switch (root) {
    case cRegistry::kLocalMachine: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case cRegistry::kClassesRoot: return QStringLiteral("HKEY_CLASSES_ROOT");
    default: return QStringLiteral("HKEY_%1").arg(root);
    }
}

QString quote(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '"': out += QLatin1String("\\\""); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out + QLatin1Char('"');
}

// Reads a quoted text starting at `pos` (on the opening quote); leaves `pos`
// after the closing one. False when the text is not closed.
bool unquote(const QString& line, qsizetype& pos, QString& text)
{
    text.clear();
    if (pos >= line.size() || line[pos] != QLatin1Char('"'))
        return false;
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return true;
        }
        if (c == QLatin1Char('\\') && pos + 1 < line.size()) {
            const QChar next = line[++pos];
            text += next == QLatin1Char('n') ? QChar(u'\n') : next == QLatin1Char('r') ? QChar(u'\r') : next;
            continue;
        }
        text += c;
    }
    return false;
}

QString hexBytes(const QByteArray& bytes)
{
    QStringList parts;
    for (const char b : bytes)
        parts << QStringLiteral("%1").arg(static_cast<uint8_t>(b), 2, 16, QLatin1Char('0'));
    return parts.join(QLatin1Char(','));
}

bool isInteger(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return true;
    default: return false;
    }
}

} // namespace

cRegistry::cRegistry(QString filePath) : filePath_(std::move(filePath)) { removeStaleCopies(); }

// Every write goes through a temporary copy beside the file (QSaveFile's
// "Tablora 6.0.conf.AbcDef": six random letters of both cases). A write
// that was killed leaves its copy behind. One untouched for a minute
// belongs to no write in progress, of this run or another; a name in one
// case (".backup") is more likely a copy someone made, and stays.
void cRegistry::removeStaleCopies() const
{
    const QFileInfo file(filePath_);
    const QDir folder = file.absoluteDir();
    if (!folder.exists())
        return;
    static const QRegularExpression copyName(QStringLiteral("^\\.(?=[A-Za-z]*[a-z])(?=[A-Za-z]*[A-Z])[A-Za-z]{6}$"));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-60);
    const QString prefix = file.fileName();
    for (const QFileInfo& copy : folder.entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString name = copy.fileName();
        if (name.startsWith(prefix) && copyName.match(name.mid(prefix.size())).hasMatch() &&
            copy.lastModified() < before)
            RemoveFile(copy.absoluteFilePath());
    }
}

QString cRegistry::defaultFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QLatin1String("/.config");
    return folder + QLatin1String("/Quellix Technologies/Tablora 6.0.conf");
}

QString cRegistry::expand(const QString& text)
{
    static const QRegularExpression variable(QStringLiteral("%([^%]+)%"));
    QString out;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = variable.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(from, m.capturedStart() - from);
        const QByteArray name = m.captured(1).toLocal8Bit();
        out += qEnvironmentVariableIsSet(name.constData()) ? qEnvironmentVariable(name.constData()) : m.captured(0);
        from = m.capturedEnd();
    }
    return out + text.mid(from);
}

QString cRegistry::fullKeyPath() const { return rootName(classKey_) + QLatin1Char('\\') + sectionKey_; }

QVariant cRegistry::Value()
{
    load();
    const auto key = keys_.constFind(fullKeyPath().toLower());
    if (key == keys_.cend())
        return {};
    const auto value = key->values.constFind(valueKey_.toLower());
    if (value == key->values.cend())
        return {};
    const Entry& e = value->second;
    valueType_ = e.type;
    switch (e.type) {
    case kString: return e.data.toString();
    case kExpandString: return expand(e.data.toString());
    case kDWord: return static_cast<int32_t>(e.data.toUInt());
    case kDWordBigEndian: {
        const quint32 v = e.data.toUInt();
        return static_cast<int32_t>(((v & 0xffu) << 24) | ((v & 0xff00u) << 8) | ((v >> 8) & 0xff00u) | (v >> 24));
    }
    case kMultiString: return QString::fromUtf8(e.data.toByteArray());
    default: return e.data.toByteArray();
    }
}

QString cRegistry::failureText(const QVariant& value) const
{
    const QString shown = value.typeId() == QMetaType::QByteArray ? hexBytes(value.toByteArray()) : value.toString();
    return QStringLiteral("Failed to set registry value Key: '%1',Section: '%2',Key: '%3' to value: '%4'")
        .arg(classKey_)
        .arg(sectionKey_, valueKey_, shown);
}

void cRegistry::setValue(const QVariant& value)
{
    // Creating the key: the folder of the file and the tree as it stands.
    const QString folder = QFileInfo(filePath_).absolutePath();
    if (!QDir().mkpath(folder))
        throw SettingsNotSaved(
            kKeyFailed, failureText(value), kSource,
            QStringLiteral("the folder \"%1\" cannot be created").arg(QDir::toNativeSeparators(folder)));
    load();

    Entry entry;
    switch (valueType_) {
    case kString:
    case kExpandString:
        // A text is stored as the kind asked for. A name a player typed or a
        // folder a dialog returned may hold "%HOME%" and must read back as
        // it was, so a string is never turned into an expandable one.
        entry = {valueType_, value.toString(), {}};
        break;
    case kBinary:
        if (value.typeId() != QMetaType::QByteArray)
            throw RunTimeError(kKeyFailed, failureText(value), kSource);
        entry = {kBinary, value.toByteArray(), {}};
        break;
    case kDWord:
    case kDWordBigEndian:
        if (!isInteger(value))
            return;
        entry = {kDWord, static_cast<quint32>(static_cast<int32_t>(value.toLongLong())), {}};
        break;
    default: throw RunTimeError(kWriteFailed, failureText(value), kSource);
    }

    const QString path = fullKeyPath();
    Key& key = keys_[path.toLower()];
    if (key.path.isEmpty())
        key.path = path;
    auto& stored = key.values[valueKey_.toLower()];
    // A note written beside the value stays with it.
    entry.comment = stored.second.comment;
    stored = {valueKey_, entry};
    save(value);
}

void cRegistry::load()
{
    const QFileInfo info(filePath_);
    if (!info.exists()) {
        keys_.clear();
        preamble_.clear();
        loaded_ = false;
        return;
    }
    if (loaded_ && info.lastModified() == loadedStamp_ && info.size() == loadedSize_)
        return;
    QFile file(filePath_);
    keys_.clear();
    preamble_.clear();
    if (file.open(QIODevice::ReadOnly))
        parse(file);
    loaded_ = true;
    loadedStamp_ = info.lastModified();
    loadedSize_ = info.size();
}

void cRegistry::save(const QVariant& value)
{
    try {
        WriteWholeFile(filePath_, serialise());
    } catch (const FileNotWritten& e) {
        // What is on the disk is the truth; forget the change.
        loaded_ = false;
        throw SettingsNotSaved(kWriteFailed, failureText(value), kSource,
                               QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(filePath_), e.reason()));
    }
    const QFileInfo info(filePath_);
    loaded_ = true;
    loadedStamp_ = info.lastModified();
    loadedSize_ = info.size();
}

QByteArray cRegistry::serialise() const
{
    QString out = kHeader;
    for (const QString& line : preamble_)
        out += line + QLatin1Char('\n');
    for (const Key& key : keys_) {
        out += QLatin1String("\n[") + key.path + QLatin1String("]\n");
        for (const auto& [name, entry] : key.values) {
            out += name.isEmpty() ? QStringLiteral("@") : quote(name);
            out += QLatin1Char('=');
            switch (entry.type) {
            case kString: out += quote(entry.data.toString()); break;
            case kExpandString: out += QLatin1String("expand:") + quote(entry.data.toString()); break;
            case kDWord: out += QStringLiteral("dword:%1").arg(entry.data.toUInt(), 8, 16, QLatin1Char('0')); break;
            case kDWordBigEndian:
                out += QStringLiteral("dword-be:%1").arg(entry.data.toUInt(), 8, 16, QLatin1Char('0'));
                break;
            case kBinary: out += QLatin1String("hex:") + hexBytes(entry.data.toByteArray()); break;
            default: out += QStringLiteral("hex(%1):").arg(entry.type) + hexBytes(entry.data.toByteArray());
            }
            out += entry.comment + QLatin1Char('\n');
        }
        for (const QString& line : key.unread)
            out += line + QLatin1Char('\n');
    }
    return out.toUtf8();
}

void cRegistry::parse(QIODevice& file)
{
    const QStringList heading = kHeader.split(QLatin1Char('\n'));
    Key* key = nullptr;
    // Line by line, so that a file with megabytes on one line costs no
    // more memory than its settings. No setting fills a line that long: it
    // is left out, and the next write drops it from the file.
    LineReader lines(file, kLongestLine);
    QString line;
    for (LineReader::Read read; (read = lines.next(line)) != LineReader::Read::End;) {
        if (read == LineReader::Read::TooLong || line.trimmed().isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString path = line.mid(1, line.size() - 2);
            key = &keys_[path.toLower()];
            key->path = path;
            continue;
        }
        if (key == nullptr) {
            if (!heading.contains(line))
                preamble_ << line;
            continue;
        }
        // A line that cannot be read counts as absent rather than stopping
        // the program, and is written back as it was: nothing typed into
        // the file is lost.
        QString name;
        Entry entry;
        if (parseValue(line, name, entry))
            key->values[name.toLower()] = {name, entry};
        else
            key->unread << line;
    }
}

// A line "name"=value, where the value may be followed by blanks and a
// "; note". False for anything else.
bool cRegistry::parseValue(const QString& line, QString& name, Entry& entry)
{
    qsizetype pos = 0;
    if (line.startsWith(QLatin1Char('@')))
        pos = 1;
    else if (!unquote(line, pos, name))
        return false;
    if (pos >= line.size() || line[pos] != QLatin1Char('='))
        return false;
    const QString rest = line.mid(pos + 1);
    // Where the value ends: after its closing quote, or before a note.
    qsizetype end = 0;
    bool ok = true;
    QString textValue;
    if (rest.startsWith(QLatin1Char('"'))) {
        ok = unquote(rest, end, textValue);
        entry = {kString, textValue, {}};
    } else if (rest.startsWith(QLatin1String("expand:"))) {
        end = 7;
        ok = unquote(rest, end, textValue);
        entry = {kExpandString, textValue, {}};
    } else {
        end = rest.indexOf(QLatin1Char(';'));
        if (end < 0)
            end = rest.size();
        while (end > 0 && rest[end - 1].isSpace())
            --end;
        const QString value = rest.left(end);
        if (value.startsWith(QLatin1String("dword:")) || value.startsWith(QLatin1String("dword-be:"))) {
            const bool bigEndian = value.startsWith(QLatin1String("dword-be:"));
            const quint32 v = value.mid(bigEndian ? 9 : 6).toUInt(&ok, 16);
            entry = {bigEndian ? kDWordBigEndian : kDWord, v, {}};
        } else {
            static const QRegularExpression hex(QStringLiteral("^hex(?:\\((\\d+)\\))?:(.*)$"));
            const QRegularExpressionMatch m = hex.match(value);
            ok = m.hasMatch();
            QByteArray bytes;
            for (const QString& b : m.captured(2).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                bool byteOk = false;
                bytes.append(static_cast<char>(b.trimmed().toUInt(&byteOk, 16)));
                ok = ok && byteOk;
            }
            entry = {m.captured(1).isEmpty() ? kBinary : m.captured(1).toInt(), bytes, {}};
        }
    }
    const QString tail = rest.mid(end);
    if (!ok || !(tail.trimmed().isEmpty() || tail.trimmed().startsWith(QLatin1Char(';'))))
        return false;
    if (!tail.trimmed().isEmpty())
        entry.comment = tail;
    return true;
}
