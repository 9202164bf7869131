// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QScopeGuard>
#include <QTest>

#include "casefile.h"
#include "config/wirelessoptionsfile.h"
#include "systemroot.h"

#include <sys/stat.h>

namespace
{
const QString s_file = QStringLiteral("/etc/pcmcia/wireless.opts");
const QString s_backup = QStringLiteral("/etc/pcmcia/wireless.opts.orig");

QString shown(const std::optional<QString> &value)
{
    return value ? *value : QStringLiteral("-");
}

// The mode, and the names in the folder: nothing left over from the replacement.
QString modesOf(const SystemRoot &root)
{
    QString result;
    for (const QString &name : QDir(root.path(QStringLiteral("/etc/pcmcia"))).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        struct stat info;
        ::stat(QFile::encodeName(root.path(QStringLiteral("/etc/pcmcia/")) + name).constData(), &info);
        result += QStringLiteral("%1 %2 ").arg(name).arg(info.st_mode & 07777, 0, 8);
    }
    return result.trimmed();
}
}

class WirelessOptionsFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAssignments_data()
    {
        CaseFile::addRows(QStringLiteral("wireless-opts-read-cases"), {"file", "read"});
    }

    void readsAssignments()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, read);
        SystemRoot root;
        root.write(s_file, file);

        const std::optional<WirelessOptionsFile> options = WirelessOptionsFile::read();
        QVERIFY(options);
        const QString key = options->key ? (options->key->enabled ? QStringLiteral("on ") : QStringLiteral("off ")) + options->key->value : QStringLiteral("-");
        const QString own = WirelessOptionsFile::isOwnFile() ? QStringLiteral("own") : QStringLiteral("foreign");
        const QStringList values{shown(options->essid), shown(options->mode), shown(options->channel), shown(options->rate), key, own};
        QCOMPARE(values.join(QLatin1Char('|')), QString::fromUtf8(read).trimmed());
    }

    // The file holds the keys: whatever the umask, only its owner may read it or its backup.
    void keepsKeysForTheOwnerOnly()
    {
        const auto restoreUmask = qScopeGuard([previous = ::umask(022)] {
            ::umask(previous);
        });
        SystemRoot root;
        const QByteArray foreign = SystemRoot::fixture(QStringLiteral("wireless-opts-foreign-case-block"));
        root.write(s_file, foreign);
        root.write(s_backup, "an older backup\n");
        QVERIFY(QFile::setPermissions(root.path(s_file), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));

        QVERIFY(WirelessOptionsFile::replaceWithDefaults());
        QCOMPARE(root.read(s_backup), foreign);
        QCOMPARE(root.read(s_file), SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")));
        QCOMPARE(modesOf(root), QStringLiteral("wireless.opts 600 wireless.opts.orig 600"));

        // A file left readable by everybody is closed up when it is written again.
        QVERIFY(QFile::setPermissions(root.path(s_file), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(WirelessOptionsFile::defaults().write());
        QCOMPARE(modesOf(root), QStringLiteral("wireless.opts 600 wireless.opts.orig 600"));
    }

    void failedWriteKeepsThePreviousFile()
    {
        SystemRoot root;
        root.write(s_file, "previous\n");
        // Even the superuser cannot write a file where a directory stands.
        QDir().mkpath(root.path(s_file + QLatin1String(".new/x")));

        QVERIFY(!WirelessOptionsFile::defaults().write());
        QVERIFY(!WirelessOptionsFile::replaceWithDefaults());
        QCOMPARE(root.read(s_file), QByteArray("previous\n"));
        QVERIFY(!root.exists(s_backup));
    }
};

QTEST_GUILESS_MAIN(WirelessOptionsFileTest)
#include "wirelessoptionsfiletest.moc"
