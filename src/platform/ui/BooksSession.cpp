#include "platform/ui/BooksSession.h"

#include "platform/BooksFolder.h"
#include "platform/ui/MessageBox.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString shown(const QString &folder)
{
    return QDir::toNativeSeparators(folder);
}
} // namespace

bool BooksSession::open()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString dataFolder = BooksFolder::userDataFolder();
    m_folder = BooksFolder::choose(programFolder, dataFolder);
    if (m_folder.isEmpty()) {
        MessageBox::info(nullptr, QStringLiteral("Barlog findet keinen Ordner für die Bücher. Es darf weder in\n%1\n"
                                                 "noch in\n%2\nschreiben.")
                                      .arg(shown(programFolder), shown(dataFolder)));
        return false;
    }
    m_lock = std::make_unique<InstanceLock>(m_folder);
    switch (m_lock->acquire()) {
    case InstanceLock::Result::Acquired:
        // The open-file window starts in the current folder, which from the
        // desktop's menu would be the home folder, not where the months are.
        QDir::setCurrent(m_folder);
        return true;
    case InstanceLock::Result::HeldByOther:
        MessageBox::info(nullptr, QStringLiteral("Barlog ist schon geöffnet und arbeitet mit den Büchern in\n%1\n\n"
                                                 "Bitte arbeiten Sie in dem offenen Barlog-Fenster weiter.")
                                      .arg(shown(m_folder)));
        return false;
    case InstanceLock::Result::Failed:
        break;
    }
    MessageBox::info(nullptr, QStringLiteral("Barlog kann im Ordner\n%1\nseine Sperrdatei \"%2\" nicht anlegen.")
                                  .arg(shown(m_folder), InstanceLock::FileName));
    return false;
}
