#include "windows/frmBackGround.h"

#include "library/Favorites.h"
#include "library/cFunc.h"
#include "pictures/Backgrounds.h"
#include "rules/WholeFile.h"
#include "session/Shared.h"
#include "windows/common/BackgroundPainter.h"
#include "windows/common/Guard.h"
#include "windows/common/ScreenFit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kNumberRole = Qt::UserRole;
const QSize kPreviewSize(300, 210);

const char* const kSliderNames[] = {"Red", "Green", "Blue", "Red", "Green", "Blue"};

QString pathSetting(const SettingsStore& settings, const PathSetting& setting, const QString& fallback)
{
    const QString stored = settings.readText(QLatin1String(setting.section), QLatin1String(setting.name), QString());
    return stored.isEmpty() ? fallback : stored;
}

QIcon swatch(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

frmBackGround::frmBackGround(Shared& shared, std::function<void()> applied, QWidget* parent)
    : QDialog(parent), shared_(shared), applied_(std::move(applied)), tabs_(new QTabWidget(this)),
      tvTexture_(new QTreeWidget(this)), lstColors_(new QListWidget(this)),
      chkFade_(new QCheckBox(QStringLiteral("Fade Background"), this)), lstPictures_(new QListWidget(this)),
      lstSchemes_(new QListWidget(this)), lstCustom_(new QListWidget(this)), folders_(new QFileSystemModel(this)),
      tvFolders_(new QTreeView(this)), lstFiles_(new QListWidget(this)), picPreview_(new QLabel(this)),
      lblRefusal_(new QLabel(this)), chkTile_(new QCheckBox(QStringLiteral("Tile Background"), this)),
      imcTimer_(new QComboBox(this)), cmdApply_(new QPushButton(QStringLiteral("Apply"), this))
{
    setObjectName(QStringLiteral("frmBackGround"));
    setWindowTitle(QStringLiteral("Customize Background"));
    setModal(true);
    Services& services = shared_.services;
    const SettingsStore& store = services.settings();
    const cData& data = shared_.data;
    filling_ = true;

    // The working copy of the stored choice.
    choice_ = background::current(store, data);
    texture_ = store.read(settings::kTextureIndex);
    colour_ = store.read(settings::kColorIndex);
    picture_ = store.read(settings::kImageIndex);
    schemeFile_ = pathSetting(store, settings::kSchemeFile, data.DefaultSchemeFile());
    // "Apply" writes the scheme back into its file: one the settings name
    // outside the schemes folder, or through a link, is not taken.
    if (!QFileInfo::exists(schemeFile_) || !LinkInTheWay(schemeFile_, data.SchemeFolder()).isEmpty())
        schemeFile_ = data.DefaultSchemeFile();
    scheme_ = background::readScheme(schemeFile_).value_or(std::array<int, 6>{0, 128, 0, 128, 0, 0});
    customFile_ = pathSetting(store, settings::kCustImageFile, data.DefaultCustImageFile());
    folderFile_ = pathSetting(store, settings::kImageFolderFile, data.DefaultCustImageFile());

    const std::pair<QWidget*, const char*> named[] = {
        {tabs_, "tabBackground"},    {tvTexture_, "tvTexture"},     {lstColors_, "lstColors"},
        {chkFade_, "chkFade"},       {lstPictures_, "lstPictures"}, {lstSchemes_, "lstSchemes"},
        {lstCustom_, "lstCustom"},   {tvFolders_, "tvFolders"},     {lstFiles_, "lstFiles"},
        {picPreview_, "picPreview"}, {lblRefusal_, "lblRefusal"},   {chkTile_, "chkTile"},
        {imcTimer_, "imcTimer"},     {cmdApply_, "cmdApply"}};
    for (const auto& [widget, name] : named)
        widget->setObjectName(QLatin1String(name));

    // Textures, by category.
    tvTexture_->setHeaderHidden(true);
    auto* textures = new QTreeWidgetItem(tvTexture_, {QStringLiteral("Textures")});
    const QList<backgrounds::Category> categories = backgrounds::textureCategories();
    std::vector<QTreeWidgetItem*> categoryNodes;
    std::vector<int> counted(static_cast<size_t>(categories.size()), 0);
    for (const backgrounds::Category& category : categories)
        categoryNodes.push_back(new QTreeWidgetItem(textures, {category.name}));
    for (int n = 1; n <= backgrounds::textureCount(); ++n) {
        const auto c = static_cast<size_t>(backgrounds::textureCategory(n));
        auto* node = new QTreeWidgetItem(categoryNodes[c], {categories[static_cast<qsizetype>(c)].name +
                                                            QLatin1Char(' ') + QString::number(++counted[c])});
        node->setData(0, kNumberRole, n);
        if (n == texture_)
            tvTexture_->setCurrentItem(node);
    }
    tvTexture_->expandAll();
    guard::connect(services, tvTexture_, &QTreeWidget::currentItemChanged, this,
                   [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
                       if (item == nullptr || !item->data(0, kNumberRole).isValid())
                           return;
                       texture_ = item->data(0, kNumberRole).toInt();
                       changed();
                   });

    // Colours.
    for (int n = 1; n <= backgrounds::colourCount(); ++n)
        lstColors_->addItem(new QListWidgetItem(swatch(backgrounds::colour(n)), backgrounds::colourName(n)));
    lstColors_->setCurrentRow(std::clamp(colour_, 1, backgrounds::colourCount()) - 1);
    chkFade_->setChecked(choice_.fade);
    guard::connect(services, lstColors_, &QListWidget::currentRowChanged, this, [this](int row) {
        colour_ = row + 1;
        changed();
    });
    guard::connect(services, chkFade_, &QCheckBox::toggled, this, [this](bool on) {
        choice_.fade = on;
        changed();
    });

    // Pictures.
    for (int n = 1; n <= backgrounds::pictureCount(); ++n)
        lstPictures_->addItem(backgrounds::pictureName(n));
    lstPictures_->setCurrentRow(std::clamp(picture_, 1, backgrounds::pictureCount()) - 1);
    guard::connect(services, lstPictures_, &QListWidget::currentRowChanged, this, [this](int row) {
        picture_ = row + 1;
        changed();
    });

    // Colour schemes.
    auto* schemesPage = new QWidget;
    auto* schemesLayout = new QGridLayout(schemesPage);
    schemesLayout->addWidget(lstSchemes_, 0, 0, 4, 1);
    for (int i = 0; i < 6; ++i) {
        sliders_[static_cast<size_t>(i)] = new QSlider(Qt::Horizontal, schemesPage);
        sliders_[static_cast<size_t>(i)]->setObjectName(QStringLiteral("Slider%1").arg(i));
        sliders_[static_cast<size_t>(i)]->setRange(0, 255);
        sliderLabels_[static_cast<size_t>(i)] = new QLabel(schemesPage);
        guard::connect(services, sliders_[static_cast<size_t>(i)], &QSlider::valueChanged, this, [this, i](int value) {
            scheme_[static_cast<size_t>(i)] = value;
            sliderLabels_[static_cast<size_t>(i)]->setText(QLatin1String(kSliderNames[i]) + QStringLiteral(" (") +
                                                           QString::number(value) + QLatin1Char(')'));
            changed();
        });
    }
    for (int half = 0; half < 2; ++half) {
        auto* box = new QWidget(schemesPage);
        auto* grid = new QGridLayout(box);
        grid->addWidget(new QLabel(half == 0 ? QStringLiteral("Top Color") : QStringLiteral("Bottom Color"), box), 0, 0,
                        1, 2);
        for (int i = 0; i < 3; ++i) {
            grid->addWidget(sliderLabels_[static_cast<size_t>(half * 3 + i)], i + 1, 0);
            grid->addWidget(sliders_[static_cast<size_t>(half * 3 + i)], i + 1, 1);
        }
        schemesLayout->addWidget(box, half, 1);
    }
    auto* cmdSaveAs = new QPushButton(QStringLiteral("Save As.."), schemesPage);
    cmdSaveAs->setObjectName(QStringLiteral("cmdSaveAs"));
    auto* cmdDelete = new QPushButton(QStringLiteral("Delete"), schemesPage);
    cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    auto* schemeButtons = new QHBoxLayout;
    schemeButtons->addWidget(cmdSaveAs);
    schemeButtons->addWidget(cmdDelete);
    schemesLayout->addLayout(schemeButtons, 2, 1);
    guard::connect(services, cmdSaveAs, &QPushButton::clicked, this, [this] { saveSchemeAs(); });
    guard::connect(services, cmdDelete, &QPushButton::clicked, this, [this] { deleteScheme(); });
    guard::connect(services, lstSchemes_, &QListWidget::currentItemChanged, this,
                   [this](QListWidgetItem* item, QListWidgetItem*) {
                       if (item == nullptr || filling_)
                           return;
                       schemeFile_ = item->data(kNumberRole).toString();
                       if (const std::optional<std::array<int, 6>> values = background::readScheme(schemeFile_))
                           showScheme(*values);
                       changed();
                   });

    // The player's own pictures.
    auto* customPage = new QWidget;
    auto* customLayout = new QVBoxLayout(customPage);
    customLayout->addWidget(lstCustom_, 1);
    auto* cmdAdd = new QPushButton(QStringLiteral("Add"), customPage);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    auto* cmdRemove = new QPushButton(QStringLiteral("Remove"), customPage);
    cmdRemove->setObjectName(QStringLiteral("cmdRemove"));
    auto* customButtons = new QHBoxLayout;
    customButtons->addWidget(cmdAdd);
    customButtons->addWidget(cmdRemove);
    customButtons->addStretch();
    customLayout->addLayout(customButtons);
    guard::connect(services, cmdAdd, &QPushButton::clicked, this, [this] { addPicture(); });
    guard::connect(services, cmdRemove, &QPushButton::clicked, this, [this] { removePicture(); });
    guard::connect(services, lstCustom_, &QListWidget::currentItemChanged, this,
                   [this](QListWidgetItem* item, QListWidgetItem*) {
                       if (item == nullptr || filling_)
                           return;
                       customFile_ = item->data(kNumberRole).toString();
                       changed();
                   });

    // Pictures in any folder: the file system from its root.
    auto* foldersPage = new QWidget;
    auto* foldersLayout = new QGridLayout(foldersPage);
    foldersLayout->addWidget(new QLabel(QStringLiteral("Select a Folder"), foldersPage), 0, 0, 1, 2);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folders_->setRootPath(QDir::rootPath());
    tvFolders_->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column)
        tvFolders_->hideColumn(column);
    tvFolders_->setHeaderHidden(true);
    foldersLayout->addWidget(tvFolders_, 1, 0);
    foldersLayout->addWidget(lstFiles_, 1, 1);
    const QString startFolder = QFileInfo(folderFile_).absolutePath();
    tvFolders_->setCurrentIndex(folders_->index(startFolder));
    tvFolders_->scrollTo(folders_->index(startFolder));
    fillFolderFiles(startFolder);
    guard::connect(
        services, tvFolders_->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& index, const QModelIndex&) { fillFolderFiles(folders_->filePath(index)); });
    guard::connect(services, lstFiles_, &QListWidget::currentItemChanged, this,
                   [this](QListWidgetItem* item, QListWidgetItem*) {
                       if (item == nullptr || filling_)
                           return;
                       folderFile_ = item->data(kNumberRole).toString();
                       changed();
                   });

    auto* colourPage = new QWidget;
    auto* colourLayout = new QVBoxLayout(colourPage);
    colourLayout->addWidget(lstColors_, 1);
    colourLayout->addWidget(chkFade_);
    tabs_->addTab(tvTexture_, QStringLiteral("Textures"));
    tabs_->addTab(colourPage, QStringLiteral("Colors"));
    tabs_->addTab(lstPictures_, QStringLiteral("Pictures"));
    tabs_->addTab(schemesPage, QStringLiteral("Color Schemes"));
    tabs_->addTab(customPage, QStringLiteral("Custom Images"));
    tabs_->addTab(foldersPage, QStringLiteral("Image Folders"));

    // Beside the tabs: the preview and what applies to every kind.
    picPreview_->setFixedSize(kPreviewSize);
    picPreview_->setFrameShape(QFrame::StyledPanel);
    lblRefusal_->setWordWrap(true);
    lblRefusal_->setStyleSheet(QStringLiteral("color: #8a1c1c"));
    chkTile_->setChecked(choice_.tile);
    imcTimer_->addItems(background::timerTexts());
    imcTimer_->setCurrentIndex(std::clamp(static_cast<int>(store.read(settings::kWPTimerValue)), 0, 5));
    guard::connect(services, chkTile_, &QCheckBox::toggled, this, [this](bool on) {
        choice_.tile = on;
        changed();
    });
    guard::connect(services, imcTimer_, &QComboBox::currentIndexChanged, this, [this] { changed(); });
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    guard::connect(services, cmdApply_, &QPushButton::clicked, this, [this] { apply(); });
    guard::connect(services, cmdOK, &QPushButton::clicked, this, [this] {
        apply();
        accept();
    });
    guard::connect(services, cmdCancel, &QPushButton::clicked, this, [this] { reject(); });

    auto* side = new QVBoxLayout;
    side->addWidget(picPreview_);
    side->addWidget(lblRefusal_);
    side->addWidget(chkTile_);
    side->addWidget(new QLabel(QStringLiteral("Change Background Every"), this));
    side->addWidget(imcTimer_);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(tabs_, 1);
    top->addLayout(side);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    screenFit::resizeWithin(*this, QSize(940, 470));

    fillSchemes();
    fillCustom();
    showScheme(scheme_);
    tabs_->setCurrentIndex(choice_.kind);
    guard::connect(services, tabs_, &QTabWidget::currentChanged, this, [this](int kind) { choose(kind); });
    filling_ = false;
    choose(choice_.kind);
    cmdApply_->setEnabled(false);
    services.sounds().raise(SoundEvent::Background);
}

void frmBackGround::fillSchemes()
{
    const bool was = filling_;
    filling_ = true;
    lstSchemes_->clear();
    const QFileInfoList files = QDir(shared_.data.SchemeFolder()).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        auto* item = new QListWidgetItem(file.fileName(), lstSchemes_);
        item->setData(kNumberRole, file.absoluteFilePath());
        if (file.absoluteFilePath() == QFileInfo(schemeFile_).absoluteFilePath())
            lstSchemes_->setCurrentItem(item);
    }
    filling_ = was;
}

void frmBackGround::fillCustom()
{
    const bool was = filling_;
    filling_ = true;
    lstCustom_->clear();
    QStringList pictures{shared_.data.DefaultCustImageFile()};
    pictures += shared_.func.GetLIST(0).mid(1);
    for (const QString& path : pictures) {
        auto* item = new QListWidgetItem(QFileInfo(path).fileName(), lstCustom_);
        item->setData(kNumberRole, path);
        item->setToolTip(path);
        if (path == customFile_)
            lstCustom_->setCurrentItem(item);
    }
    filling_ = was;
}

void frmBackGround::fillFolderFiles(const QString& folder)
{
    const bool was = filling_;
    filling_ = true;
    lstFiles_->clear();
    const QFileInfoList files =
        QDir(folder).entryInfoList(background::pictureFilters(), QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        auto* item = new QListWidgetItem(file.fileName(), lstFiles_);
        item->setData(kNumberRole, file.absoluteFilePath());
        if (file.absoluteFilePath() == folderFile_)
            lstFiles_->setCurrentItem(item);
    }
    filling_ = was;
}

void frmBackGround::showScheme(const std::array<int, 6>& values)
{
    for (size_t i = 0; i < 6; ++i) {
        sliders_[i]->setValue(values[i]);
        // The label follows even when the value did not change.
        sliderLabels_[i]->setText(QLatin1String(kSliderNames[i]) + QStringLiteral(" (") + QString::number(values[i]) +
                                  QLatin1Char(')'));
    }
    scheme_ = values;
}

void frmBackGround::choose(int kind)
{
    choice_.kind = kind;
    changed();
}

void frmBackGround::changed()
{
    if (filling_)
        return;
    switch (choice_.kind) {
    case BackgroundChoice::Texture: choice_.number = texture_; break;
    case BackgroundChoice::Colour: choice_.number = colour_; break;
    case BackgroundChoice::Picture: choice_.number = picture_; break;
    case BackgroundChoice::Scheme:
        choice_.scheme = scheme_;
        choice_.file = schemeFile_;
        break;
    case BackgroundChoice::CustomImage: choice_.file = customFile_; break;
    default: choice_.file = folderFile_; break;
    }
    const bool picture = choice_.kind == BackgroundChoice::Picture || choice_.kind == BackgroundChoice::CustomImage ||
                         choice_.kind == BackgroundChoice::ImageFolder;
    chkTile_->setEnabled(picture);
    cmdApply_->setEnabled(true);
    preview();
}

QString frmBackGround::refusal() const { return lblRefusal_->text(); }

void frmBackGround::preview()
{
    PlayerPicture loaded;
    if (choice_.kind == BackgroundChoice::CustomImage || choice_.kind == BackgroundChoice::ImageFolder)
        loaded = loadPlayerPicture(choice_.file);
    lblRefusal_->setText(loaded.refusal);
    // Drawn as a table of the usual size would be, then made small.
    const QSize table = kPreviewSize * 3;
    QPixmap shown(table);
    QPainter painter(&shown);
    paintBackground(painter, QRect(QPoint(0, 0), table), choice_, loaded.image);
    painter.end();
    picPreview_->setPixmap(shown.scaled(kPreviewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void frmBackGround::apply()
{
    cmdApply_->setEnabled(false);
    SettingsStore& store = shared_.services.settings();
    store.write(settings::kBackIndex, choice_.kind);
    store.write(settings::kEnableTile, choice_.tile ? 1 : 0);
    store.write(settings::kTextureIndex, texture_);
    store.write(settings::kColorIndex, colour_);
    store.write(settings::kFadeIndex, choice_.fade ? 1 : 0);
    store.write(settings::kImageIndex, picture_);
    background::writeScheme(schemeFile_, scheme_);
    const auto path = [&store](const PathSetting& setting, const QString& value) {
        store.writeText(QLatin1String(setting.section), QLatin1String(setting.name), value);
    };
    path(settings::kSchemeFile, schemeFile_);
    path(settings::kCustImageFile, customFile_);
    path(settings::kImageFolderFile, folderFile_);
    store.write(settings::kWPTimerValue, imcTimer_->currentIndex());
    applied_();
}

void frmBackGround::saveSchemeAs()
{
    Prompts& prompts = shared_.services.prompts();
    QString name;
    while (true) {
        const std::optional<QString> answer = prompts.input(
            QStringLiteral("Please Enter a Name"), QStringLiteral("Color Schemes"), QStringLiteral("Color Scheme 1"));
        if (!answer || answer->isEmpty())
            return;
        // A name beginning with a dot would make a scheme the list never shows.
        const bool hidden = Favorites::hiddenName(*answer);
        if (!Favorites::unfitForFileName(*answer) && !answer->trimmed().isEmpty() && !hidden) {
            name = *answer;
            break;
        }
        prompts.message(hidden ? Favorites::hiddenNameText()
                               : QStringLiteral("Name should not contain these characters : /\\:*?\"<>|"),
                        Prompts::Icon::Stop, Prompts::Buttons::Ok);
    }
    // A link of that name is not overwritten: writing the scheme refuses it.
    const QString path = QDir(shared_.data.SchemeFolder()).filePath(name);
    if (PathTaken(path) && !QFileInfo(path).isSymLink() &&
        prompts.message(QStringLiteral("A scheme already exists with the name \"") + name +
                            QStringLiteral("\". Do you want to overwrite ?"),
                        Prompts::Icon::Question, Prompts::Buttons::YesNoDefaultNo,
                        QStringLiteral("Color Schemes")) != Prompts::Answer::Yes)
        return;
    background::writeScheme(path, scheme_);
    schemeFile_ = path;
    fillSchemes();
    changed();
}

void frmBackGround::deleteScheme()
{
    const QListWidgetItem* item = lstSchemes_->currentItem();
    if (item == nullptr)
        return;
    const QString path = item->data(kNumberRole).toString();
    if (QFileInfo(path).absoluteFilePath().compare(QFileInfo(shared_.data.DefaultSchemeFile()).absoluteFilePath(),
                                                   Qt::CaseInsensitive) == 0) {
        shared_.services.prompts().message(QStringLiteral("Default Scheme cannot be deleted."), Prompts::Icon::Stop,
                                           Prompts::Buttons::Ok);
        return;
    }
    RemoveFile(path, shared_.data.SchemeFolder());
    schemeFile_ = shared_.data.DefaultSchemeFile();
    if (const std::optional<std::array<int, 6>> values = background::readScheme(schemeFile_))
        showScheme(*values);
    fillSchemes();
    changed();
}

void frmBackGround::addPicture()
{
    SettingsStore& store = shared_.services.settings();
    Prompts::FileDialog dialog;
    dialog.filter = QStringLiteral("Pictures (*.bmp;*.jpg;*.jpeg;*.gif;*.png)|*.bmp;*.jpg;*.jpeg;*.gif;*.png");
    dialog.initialFolder = pathSetting(store, settings::kCustImageInitDir,
                                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const std::optional<QString> file = shared_.services.prompts().openFile(dialog);
    if (!file || !QFileInfo(*file).isFile())
        return;
    shared_.func.AddtoLIST(0, *file);
    customFile_ = *file;
    store.writeText(QLatin1String(settings::kCustImageInitDir.section), QLatin1String(settings::kCustImageInitDir.name),
                    QFileInfo(*file).absolutePath());
    fillCustom();
    changed();
}

void frmBackGround::removePicture()
{
    const QListWidgetItem* item = lstCustom_->currentItem();
    if (item == nullptr)
        return;
    const QString path = item->data(kNumberRole).toString();
    const QString fallback = shared_.data.DefaultCustImageFile();
    if (path.compare(fallback, Qt::CaseInsensitive) == 0) {
        shared_.services.prompts().message(QStringLiteral("Default Picture cannot be deleted."), Prompts::Icon::Stop,
                                           Prompts::Buttons::Ok);
        return;
    }
    shared_.func.RemoveListItem(0, path);
    customFile_ = fallback;
    shared_.services.settings().writeText(QLatin1String(settings::kCustImageFile.section),
                                          QLatin1String(settings::kCustImageFile.name), fallback);
    fillCustom();
    changed();
}
