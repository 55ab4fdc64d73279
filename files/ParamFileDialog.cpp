#include "files/ParamFileDialog.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSet>
#include <QStorageInfo>

#include "ui/Prompt.h"
#include "model/Codecs.h"

namespace mx615 {

namespace {

const Bilingual kDriveLabel{"Drive:", "驱动器："};
const Bilingual kConfirm{"Confirm", "确  定"};
const Bilingual kCancel{"Cancel", "取  消"};
const Bilingual kFolderUnreadable{"This folder cannot be opened.", "无法打开此文件夹。"};
// The folder and file lists show no caption; a screen reader calls them so.
const Bilingual kFolderList{"Folders", "文件夹"};
const Bilingual kFileList{"Files", "文件"};

constexpr int kPathRole = Qt::UserRole;

// File systems that hold no user files: the drive list leaves them out.
bool pseudoFileSystem(const QStorageInfo& volume)
{
    static const QSet<QByteArray> kinds{"proc",     "sysfs",      "devtmpfs", "devpts",   "cgroup",  "cgroup2",
                                        "securityfs", "pstore",   "debugfs",  "tracefs",  "configfs", "fusectl",
                                        "mqueue",   "hugetlbfs",  "bpf",      "autofs",   "binfmt_misc",
                                        "efivarfs", "nsfs",       "tmpfs",    "squashfs", "overlay", "ramfs",
                                        "rpc_pipefs", "nfsd",     "selinuxfs"};
    const QString root = volume.rootPath();
    for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi"})
        if (root == QLatin1String(system) || root.startsWith(QLatin1String(system) + '/'))
            return true;
    return kinds.contains(volume.fileSystemType());
}

bool isEnterKey(QEvent* event)
{
    const auto* key = static_cast<QKeyEvent*>(event);
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

ParamFileDialog::ParamFileDialog(WindowHost& host, const FileDialogKind& kind) : ChildWindow(host), kind_(kind)
{
    Drive1 = makeNamed<QComboBox>("Drive1");
    Dir1 = makeNamed<QListWidget>("Dir1");
    File1 = makeNamed<QListWidget>("File1");
    Text1 = makeNamed<QLineEdit>("Text1");
    Label_drive = makeNamed<QLabel>("Label_drive");
    Label_name = makeNamed<QLabel>("Label_name");
    Label_path = makeNamed<QLabel>("Label_path");
    Command_enter = makeNamed<QPushButton>("Command_enter");
    Command_close = makeNamed<QPushButton>("Command_close");

    Label_name->setBuddy(Text1);
    Label_drive->setBuddy(Drive1);
    Label_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label_path->setWordWrap(true);
    Dir1->installEventFilter(this);
    File1->installEventFilter(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label_name, 0, 0);
    grid->addWidget(Text1, 1, 0);
    grid->addWidget(File1, 2, 0, 3, 1);
    grid->addWidget(Label_path, 0, 1, 2, 1);
    grid->addWidget(Dir1, 2, 1);
    grid->addWidget(Label_drive, 3, 1);
    grid->addWidget(Drive1, 4, 1);
    grid->addLayout(buttonRow({Command_enter, Command_close}, ButtonsAt::Right), 5, 0, 1, 2);
    grid->setRowStretch(2, 1);

    setTabOrder(Text1, File1);
    setTabOrder(File1, Dir1);
    setTabOrder(Dir1, Drive1);
    setTabOrder(Drive1, Command_enter);
    setTabOrder(Command_enter, Command_close);

    connect(Drive1, &QComboBox::activated, this, [this](int) { Drive1_Change(); });
    connect(Dir1, &QListWidget::itemActivated, this, &ParamFileDialog::Dir1_Activated);
    connect(File1, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item, QListWidgetItem* previous) {
        // A list that had no current file takes its first one as Tab enters
        // it: that is no choice, and must not replace the name typed (a save
        // would then go over that file). Moving from file to file is one.
        if (item && previous)
            File1_Click();
    });
    connect(File1, &QListWidget::itemClicked, this, [this](QListWidgetItem*) { File1_Click(); });
    connect(File1, &QListWidget::itemActivated, this, &ParamFileDialog::File1_Activated);
    connect(Command_enter, &QPushButton::clicked, this, &ParamFileDialog::Command_enter_Click);
    connect(Command_close, &QPushButton::clicked, this, &ParamFileDialog::Command_close_Click);
    setDefaultButton(Command_enter);
    setCancelButton(Command_close);
}

void ParamFileDialog::Form_Load()
{
    const QSize main = host().frameSize();
    const int width = int(main.width() / 1.55);
    const int height = int(main.height() / 1.3);
    place((main.width() - width) / 2, 0, width, height);
    useDialogFrame();

    const bool zh = chinese();
    setCaption(kind_.caption);
    Label_name->setText(qs(kind_.nameLabel, zh));
    Label_drive->setText(qs(kDriveLabel, zh));
    Dir1->setAccessibleName(qs(kFolderList, zh));
    File1->setAccessibleName(qs(kFileList, zh));
    Command_enter->setText(qs(kConfirm, zh));
    Command_close->setText(qs(kCancel, zh));
    Text1->setText(qs("*" + kind_.lower));

    fillDrives();
    QString start = QDir::currentPath();
    if (start == QLatin1String("/") || !startFolderUsable(start) || !setDirPath(start))
        setDirPath(QDir::homePath());

    showActive();
    Text1->setFocus();
    Text1->selectAll();
}

bool ParamFileDialog::startFolderUsable(const QString& path) const
{
    return kind_.saving ? QFileInfo(path).isWritable() : QFileInfo(path).isReadable();
}

void ParamFileDialog::fillDrives()
{
    Drive1->clear();
    Drive1->addItem(QStringLiteral("/"), QStringLiteral("/"));
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || volume.isRoot() || pseudoFileSystem(volume))
            continue;
        const QString root = volume.rootPath();
        const QString name = volume.displayName();
        Drive1->addItem(name.isEmpty() || name == root ? root : QStringLiteral("%1  [%2]").arg(root, name), root);
    }
}

void ParamFileDialog::selectDriveOf(const QString& path)
{
    // The drive whose root is the longest start of the path.
    int best = 0;
    qsizetype bestLength = 0;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = Drive1->itemData(i, kPathRole).toString();
        const bool contains = root == QLatin1String("/") || path == root || path.startsWith(root + '/');
        if (contains && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    Drive1->setCurrentIndex(best);
}

bool ParamFileDialog::setDirPath(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    const FolderListing listing = ListFolder(clean.toStdString(), kind_.lower, kind_.upper);
    if (listing.error) {
        warn(kFolderUnreadable, clean + QStringLiteral(": ") + qs(*listing.error));
        return false;
    }
    dirPath_ = clean;
    Label_path->setText(clean);
    // The path shows above the lists; a screen reader tells it with them.
    Dir1->setAccessibleDescription(clean);
    File1->setAccessibleDescription(clean);
    Dir1->clear();
    if (clean != QLatin1String("/")) {
        auto* up = new QListWidgetItem(QStringLiteral(".."), Dir1);
        up->setData(kPathRole, QFileInfo(clean).path());
        up->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    }
    for (const std::string& folder : listing.folders) {
        auto* item = new QListWidgetItem(qs(folder), Dir1);
        item->setData(kPathRole, QDir(clean).filePath(qs(folder)));
        item->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
    }
    if (Dir1->count() > 0)
        Dir1->setCurrentRow(0);
    selectDriveOf(clean);
    Dir1_Change();
    return true;
}

void ParamFileDialog::Drive1_Change()
{
    const QString root = Drive1->currentData(kPathRole).toString();
    if (!setDirPath(root))
        selectDriveOf(dirPath_);
}

void ParamFileDialog::Dir1_Change()
{
    File1->clear();
    for (const std::string& file : ListFolder(dirPath_.toStdString(), kind_.lower, kind_.upper).files)
        File1->addItem(qs(file));
}

void ParamFileDialog::Dir1_Activated(QListWidgetItem* item)
{
    if (item)
        setDirPath(item->data(kPathRole).toString());
}

void ParamFileDialog::File1_Click()
{
    if (QListWidgetItem* item = File1->currentItem())
        Text1->setText(item->text());
}

void ParamFileDialog::File1_Activated(QListWidgetItem* item)
{
    if (!item)
        return;
    Text1->setText(item->text());
    Command_enter_Click();
}

void ParamFileDialog::Command_enter_Click()
{
    const std::string name = Trimmed(Text1->text().toStdString());
    switch (CheckFileName(name, kind_.lower, kind_.upper)) {
    case NameCheck::ForbiddenCharacter:
        warn(kind_.forbidden);
        return;
    case NameCheck::WrongSuffix:
        warn(kind_.suffix);
        return;
    case NameCheck::Ok:
        break;
    }
    const QString path = QDir(dirPath_).filePath(qs(name));
    if (auto fault = confirmFile(path.toStdString())) {
        // The dialog stays open, so the user can pick another file or folder.
        warn(fault->text, qs(kind_.failed, chinese()));
        Dir1_Change();
        return;
    }
    state().LastFilePath = path.toStdString();
    if (kind_.done)
        warn(*kind_.done);
    unload();
    afterDone();
}

void ParamFileDialog::Command_close_Click()
{
    unload();
}

bool ParamFileDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a folder enters it and Enter on a file confirms that file; the
    // dialog's Enter key (Confirm) must not take the key from these lists.
    if (event->type() == QEvent::ShortcutOverride && isEnterKey(event)) {
        auto* list = qobject_cast<QListWidget*>(watched);
        if (list && list->currentItem()) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && watched == Dir1 &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace && dirPath_ != QLatin1String("/")) {
        setDirPath(QFileInfo(dirPath_).path());
        return true;
    }
    return ChildWindow::eventFilter(watched, event);
}

}  // namespace mx615
