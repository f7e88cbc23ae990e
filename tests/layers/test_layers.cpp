// Includes point downward: a file of one layer never includes a file of a
// layer above it. The layers and their order are in layers.txt, next to
// this test.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>

namespace {

struct Layer {
    int rank = 0;
    // Empty: every layer below may be used.
    std::set<QString> only;
};

using Layers = std::map<QString, Layer>;
// Path under src/ to the file's text.
using Tree = std::map<QString, QString>;

Layers parseLayers(const QString& text)
{
    Layers layers;
    int rank = 0;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        Layer layer{rank++, {}};
        if (colon >= 0)
            for (const QString& name : line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                layer.only.insert(name);
        layers[line.left(colon).trimmed()] = layer;
    }
    return layers;
}

// The layer a path under src/ belongs to: the deepest of its folders that
// is a layer of its own (windows/table before windows), else its first
// folder, or the file itself at the top.
QString layerOf(const Layers& layers, const QString& path)
{
    QString deepest;
    for (qsizetype slash = path.indexOf(QLatin1Char('/')); slash >= 0;
         slash = path.indexOf(QLatin1Char('/'), slash + 1))
        if (layers.count(path.left(slash)) != 0)
            deepest = path.left(slash);
    if (!deepest.isEmpty())
        return deepest;
    const qsizetype slash = path.indexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.left(slash);
}

// Every include of the tree that points upward, sideways into a layer not
// allowed, or into a folder that is in no layer, as "file -> include".
QStringList badIncludes(const Layers& layers, const Tree& tree)
{
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"),
                                            QRegularExpression::MultilineOption);
    QStringList bad;
    for (const auto& [path, text] : tree) {
        const QString from = layerOf(layers, path);
        const auto fromLayer = layers.find(from);
        if (fromLayer == layers.end()) {
            bad << path + QLatin1String(" is in no layer");
            continue;
        }
        for (auto it = include.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            // "x.h" without a folder is a neighbour in the same folder.
            const QString to = target.contains(QLatin1Char('/')) ? layerOf(layers, target) : from;
            if (to == from)
                continue;
            const auto toLayer = layers.find(to);
            const Layer& f = fromLayer->second;
            if (toLayer == layers.end() || toLayer->second.rank > f.rank || (!f.only.empty() && !f.only.count(to)))
                bad << path + QLatin1String(" -> ") + target;
        }
    }
    return bad;
}

QString readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

Layers projectLayers() { return parseLayers(readAll(QStringLiteral(TABLORA_LAYERS_FILE))); }

TEST(LayersTest, NoFileIncludesALayerAboveItsOwn)
{
    const Layers layers = projectLayers();
    ASSERT_GE(layers.size(), 10u) << "layers.txt was not read";

    const QString src = QStringLiteral(TABLORA_SOURCE_DIR "/src/");
    Tree tree;
    for (QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        tree[path.mid(src.size())] = readAll(path);
    }
    ASSERT_GT(tree.size(), 100u) << "the sources were not found under " << src.toStdString();
    EXPECT_EQ(badIncludes(layers, tree).join(QLatin1Char('\n')).toStdString(), "");
}

TEST(LayersTest, UpwardSidewaysAndUnplacedIncludesAreCaught)
{
    const Layers layers = projectLayers();
    const Tree tree{
        // Downward, within a folder and a neighbour without a folder: fine.
        {QStringLiteral("session/Shared.h"), QStringLiteral("#include \"engine/cPlay.h\"\n#include \"session/x.h\"\n"
                                                            "#include \"cGamePlay.h\"\n#include <QString>\n")},
        {QStringLiteral("pictures/Faces.cpp"), QStringLiteral("#include \"rules/RunTimeError.h\"\n")},
        {QStringLiteral("main.cpp"), QStringLiteral("#include \"windows/frmMain.h\"\n")},
        // Upward.
        {QStringLiteral("engine/Deal.cpp"), QStringLiteral("  #  include \"session/Shared.h\"\n")},
        // Below, but not among the few the picture library may use.
        {QStringLiteral("pictures/Backs.cpp"), QStringLiteral("#include \"engine/cPlay.h\"\n")},
        // A folder that is in no layer, and an include of one.
        {QStringLiteral("gadgets/a.cpp"), QString()},
        {QStringLiteral("windows/b.cpp"), QStringLiteral("#include \"gadgets/a.h\"\n")},
        // Inside the windows: the dialogs use the table and the common
        // pieces, the table uses the common pieces, never the other way.
        {QStringLiteral("windows/frmMain.cpp"),
         QStringLiteral("#include \"windows/table/TableView.h\"\n#include \"windows/common/Guard.h\"\n")},
        {QStringLiteral("windows/table/KeyboardPlay.cpp"),
         QStringLiteral("#include \"windows/common/Guard.h\"\n#include \"windows/frmMain.h\"\n")},
        {QStringLiteral("windows/common/Guard.cpp"), QStringLiteral("#include \"windows/table/TableView.h\"\n")},
    };
    EXPECT_EQ(badIncludes(layers, tree),
              (QStringList{QStringLiteral("engine/Deal.cpp -> session/Shared.h"),
                           QStringLiteral("gadgets/a.cpp is in no layer"),
                           QStringLiteral("pictures/Backs.cpp -> engine/cPlay.h"),
                           QStringLiteral("windows/b.cpp -> gadgets/a.h"),
                           QStringLiteral("windows/common/Guard.cpp -> windows/table/TableView.h"),
                           QStringLiteral("windows/table/KeyboardPlay.cpp -> windows/frmMain.h")}));
}

// Every handler of a window reaches the one guard, so none can let an error
// out to Qt: a window connects signals only through guard::connect.
TEST(LayersTest, WindowsConnectTheirHandlersOnlyThroughTheGuard)
{
    static const QRegularExpression bareConnect(QStringLiteral(R"re((?<!guard::)\bconnect\s*\()re"));
    const QString src = QStringLiteral(TABLORA_SOURCE_DIR "/src/");
    QStringList bare;
    int files = 0;
    for (QDirIterator it(src + QLatin1String("windows"), {QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        ++files;
        const QStringList lines = readAll(path).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (bareConnect.match(lines[i]).hasMatch())
                bare << path.mid(src.size()) + QLatin1Char(':') + QString::number(i + 1);
    }
    ASSERT_GT(files, 15);
    EXPECT_EQ(bare.join(QLatin1Char('\n')).toStdString(), "");
}

} // namespace
