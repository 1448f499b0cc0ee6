#include "dialogs/ui/FileLists.h"

#include <QDir>
#include <QStorageInfo>

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    QStringList volumes{QStringLiteral("/")};
    const QList<QStorageInfo> mounted = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &v : mounted) {
        if (v.isValid() && v.isReady() && !volumes.contains(v.rootPath()))
            volumes << v.rootPath();
    }
    addItems(volumes);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (change)
            change();
    });
}

QString DriveList::drive() const
{
    return currentText();
}

void DriveList::setDrive(const QString &mountPoint)
{
    int index = findText(mountPoint);
    if (index < 0) {
        addItem(mountPoint);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

DirList::DirList(QWidget *parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { setPath(item->data(Qt::UserRole).toString()); });
}

void DirList::setPath(const QString &path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (clean == m_path || !QDir(clean).exists())
        return;
    m_path = clean;
    rebuild();
    if (change)
        change();
}

void DirList::rebuild()
{
    clear();
    QStringList chain;
    for (QDir d(m_path);;) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    int depth = 0;
    for (const QString &p : chain) {
        const QString name = p == QLatin1StringView("/") ? p : QDir(p).dirName();
        auto *item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(Qt::UserRole, p);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QStringList subs = QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &s : subs) {
        auto *item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + s, this);
        item->setData(Qt::UserRole, QDir(m_path).filePath(s));
    }
}

FileList::FileList(QWidget *parent, const QString &pattern) : QListWidget(parent), m_pattern(pattern)
{
    connect(this, &QListWidget::itemClicked, this, [this] {
        if (click)
            click();
    });
}

void FileList::setPath(const QString &path)
{
    m_path = path;
    clear();
    const QStringList files = QDir(path).entryList({m_pattern}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    addItems(files);
}

QString FileList::fileName() const
{
    const QListWidgetItem *item = currentItem();
    return item != nullptr && item->isSelected() ? item->text() : QString();
}

void FileList::setFileName(const QString &name)
{
    const QList<QListWidgetItem *> found = findItems(name, Qt::MatchExactly);
    if (!found.isEmpty())
        setCurrentItem(found.first());
}
