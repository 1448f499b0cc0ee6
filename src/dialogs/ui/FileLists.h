#pragma once

#include <QComboBox>
#include <QListWidget>

#include <functional>

// The three linked file-system lists of the open-file window, for Linux:
// the drives are the mounted volumes with "/" first.
class DriveList : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);
    QString drive() const;
    void setDrive(const QString &mountPoint);
    std::function<void()> change;
};

// A folder's ancestors, the folder itself and its subfolders; activating an
// entry makes it the path.
class DirList : public QListWidget
{
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr);
    const QString &path() const { return m_path; }
    void setPath(const QString &path);
    std::function<void()> change;

private:
    void rebuild();
    QString m_path;
};

// The files of one folder that match a pattern, as bare names.
class FileList : public QListWidget
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr, const QString &pattern = QStringLiteral("*.mdb"));
    const QString &path() const { return m_path; }
    void setPath(const QString &path);
    QString fileName() const;
    void setFileName(const QString &name);
    std::function<void()> click;

private:
    QString m_path;
    QString m_pattern;
};
