// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include "casefile.h"
#include "config/basicnetcfg.h"
#include "config/hostsfile.h"
#include "recordtext.h"
#include "systemroot.h"

namespace
{
const QString hostsPath = QStringLiteral("/etc/hosts");

BasicNetCfg identity(const QString &domain = QStringLiteral("example.org"))
{
    BasicNetCfg config;
    config.hostName = QStringLiteral("box");
    config.domain = domain;
    return config;
}

// Runs a command where /etc/hosts is the test's file: the bind mount exists only
// inside the private mount namespace of this one command.
std::pair<bool, QString> withHostsFile(const QString &hosts, const QString &command)
{
    QProcess process;
    process.start(QStringLiteral("unshare"),
                  QStringLiteral("--mount --propagation private sh -c").split(QLatin1Char(' '))
                      << QStringLiteral("mount --bind \"$0\" /etc/hosts && ") + command << hosts);
    process.waitForFinished();
    const bool ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return {ok, QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError())};
}
}

class HostsFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rewritesHostsFile_data()
    {
        CaseFile::addRows(QStringLiteral("hosts-rewrite-cases"), {"records", "identity", "before", "after", "old"});
    }

    void rewritesHostsFile()
    {
        QFETCH(QByteArray, records);
        QFETCH(QByteArray, identity);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, old);
        SystemRoot root;
        QDir().mkpath(root.path(QStringLiteral("/etc")));
        if (!before.isNull()) {
            root.write(hostsPath, before);
        }
        const QStringList names = QString::fromLatin1(identity.isNull() ? "box example.org" : identity).simplified().split(QLatin1Char(' '));
        const BasicNetCfg config = ::identity(names.value(1) == QLatin1String("changed") ? QString() : names.value(1));
        const QVector<Interface> interfaces = RecordText::records(QString::fromLatin1(records));

        QVERIFY(HostsFile(config, interfaces.constData(), names.contains(QLatin1String("changed"))).writeHosts());
        QCOMPARE(root.read(hostsPath), after);
        QCOMPARE(root.read(hostsPath + QLatin1String(".old")), old.isNull() ? before : old);
        QVERIFY(!root.exists(hostsPath + QLatin1String(".new")));
    }

    void failsWithoutTouchingTheFile()
    {
        const QVector<Interface> interfaces = RecordText::records(QStringLiteral("eth0 auto ip=192.168.1.7 old=192.168.1.5"));
        SystemRoot root;
        QVERIFY2(!HostsFile(identity(), interfaces.constData(), true).writeHosts(), "no /etc to create the file in");
        QVERIFY(!root.exists(hostsPath));
        QDir().mkpath(root.path(hostsPath));
        QVERIFY2(!HostsFile(identity(), interfaces.constData(), true).writeHosts(), "the file is a directory");
    }

    void withoutRecordsOnlySimplifies()
    {
        SystemRoot root;
        root.write(hostsPath, "127.0.0.1\tlocalhost\n 192.168.1.5  box\n");
        QVERIFY(HostsFile(identity(), nullptr, true).writeHosts());
        QCOMPARE(root.read(hostsPath), QByteArray("127.0.0.1 localhost\n192.168.1.5 box\n"));
    }

    void namesResolveThroughGetent()
    {
        SystemRoot root;
        root.write(hostsPath, "127.0.0.1 localhost\n192.168.1.5 box.example.org box\n");
        const QVector<Interface> interfaces = RecordText::records(QStringLiteral("eth0 auto ip=192.168.1.7 old=192.168.1.5"));
        QVERIFY(HostsFile(identity(), interfaces.constData(), false).writeHosts());

        const auto probe = withHostsFile(root.path(hostsPath), QStringLiteral("true"));
        if (!probe.first) {
            QSKIP(qPrintable(QStringLiteral("unshare --mount with a bind mount is not permitted here: ") + probe.second));
        }
        const auto lookup = withHostsFile(root.path(hostsPath), QStringLiteral("getent hosts box && getent hosts box.example.org"));
        QVERIFY2(lookup.first, qPrintable(lookup.second));
        QCOMPARE(lookup.second.simplified(), QStringLiteral("192.168.1.7 box.example.org box 192.168.1.7 box.example.org box"));
    }

    void largeFileGoesThroughInOneWalkPerPass()
    {
        SystemRoot root;
        // Joined once: appending a built line at a time reallocates each time (quadratic under ASan).
        QByteArrayList lines{"127.0.0.1 localhost"};
        const int lineCount = 200000;
        for (int line = 0; line < lineCount; ++line) {
            lines << "0.0.0.0\tads" + QByteArray::number(line) + ".example.com";
        }
        root.write(hostsPath, lines.join('\n') + "\n192.168.1.5 box\n10.0.0.50 lease\n");
        QString records = QStringLiteral("eth4 auto dhcp lip=10.0.0.50");
        for (int index = 0; index < 4; ++index) {
            records += QStringLiteral(" eth%1 auto ip=192.168.1.%2 old=192.168.1.%2").arg(index).arg(5 + index);
        }
        const QVector<Interface> interfaces = RecordText::records(records);

        QElapsedTimer timer;
        timer.start();
        QVERIFY(HostsFile(identity(), interfaces.constData(), true).writeHosts());
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QStringLiteral("took %1 ms").arg(timer.elapsed())));
        const QByteArray written = root.read(hostsPath);
        QCOMPARE(written.count('\n'), lineCount + 1 + 5);
        QVERIFY(
            written.endsWith("192.168.1.5 box.example.org box\n10.0.0.50 box.example.org box\n192.168.1.6 box.example.org box\n"
                             "192.168.1.7 box.example.org box\n192.168.1.8 box.example.org box\n"));
    }
};

QTEST_GUILESS_MAIN(HostsFileTest)
#include "hostsfiletest.moc"
