// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// Every writer against a file system that fails under it: full, read-only, a
// ".new" name taken, a missing folder, a symbolic link, a bind-mounted file.
// The program runs itself inside the faulty tree to do the one write and
// prints "ok" or "failed".

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "config/basicnetcfg.h"
#include "config/dnsconfigfile.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "config/interfacesfile.h"
#include "config/textfile.h"
#include "config/wirelessoptionsfile.h"
#include "faultyroot.h"
#include "systemroot.h"

#include <cstdio>

namespace
{
struct Writer {
    const char *name;
    const char *path;
    bool writesNew; ///< goes through "<file>.new", and fails when that name is taken
    const char *backup; ///< the name after the file's own that keeps the previous file, if any
    bool followsLink; ///< writes the file a symbolic link points to, not the link
    const char *written; ///< what the new content holds; empty: exactly inPlaceContent()
};

const Writer writers[] = {
    {"interfaces", "/etc/network/interfaces", true, ".old", true, "address 192.168.7.7"},
    {"hosts", "/etc/hosts", true, ".old", true, "192.168.7.7 box.lab.example box"},
    {"resolv.conf", "/etc/resolv.conf", false, nullptr, true, ""},
    {"hostname", "/etc/hostname", false, nullptr, true, ""},
    {"wireless.opts", "/etc/pcmcia/wireless.opts", true, nullptr, true, "ESSID=\"faults\""},
    // A foreign file replaced by the defaults stays where it was until they are in place.
    {"foreign wireless.opts", "/etc/pcmcia/wireless.opts", true, ".orig", false, "ESSID=\"Any\""},
};

// Files rewritten in place get more than one page of new content, so that a
// full file system cannot take it in the room the old content leaves.
QStringList inPlaceContent(const QString &writer)
{
    QStringList lines;
    for (int i = 0; i < 400; ++i) {
        lines << QStringLiteral("nameserver 10.0.%1.%2").arg(i / 200).arg(i % 200 + 1);
    }
    return writer == QLatin1String("hostname") ? QStringList{QStringLiteral("box-") + QString(5000, QLatin1Char('x'))} : lines;
}

bool writeOnce(const QString &writer)
{
    Interface eth0[InterfacesFile::RecordCount];
    eth0[0].setInterfaceNumber(0);
    eth0[0].present = true;
    eth0[0].enabled = true;
    eth0[0].saveSettings(false, QStringLiteral("192.168.7.7"), QStringLiteral("255.255.255.0"), QStringLiteral("192.168.7.1"), QString());
    if (writer == QLatin1String("interfaces")) {
        return InterfacesFile::write(eth0, 1);
    }
    if (writer == QLatin1String("hosts")) {
        BasicNetCfg identity;
        identity.hostName = QStringLiteral("box");
        identity.domain = QStringLiteral("lab.example");
        return HostsFile(identity, eth0, true).writeHosts();
    }
    if (writer == QLatin1String("wireless.opts")) {
        WirelessOptionsFile options = WirelessOptionsFile::defaults();
        options.essid = QStringLiteral("faults");
        return options.write();
    }
    if (writer == QLatin1String("foreign wireless.opts")) {
        return WirelessOptionsFile::replaceWithDefaults();
    }
    if (writer == QLatin1String("resolv.conf")) {
        DnsConfigFile dns("/etc/resolv.conf");
        for (const QString &line : inPlaceContent(writer)) {
            dns.addNameserver(line.section(QLatin1Char(' '), 1));
        }
        return dns.writeFile();
    }
    // The host name is written as the apply sequence does: the file rewritten in place.
    return TextFile::rewriteInPlace(QStringLiteral("/etc/hostname"), inPlaceContent(writer));
}

}

class WriteFaultTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!FaultyRoot::isAvailable()) {
            QSKIP("unshare --mount is not permitted here: the file system faults need a mount namespace of their own");
        }
    }

    void leavesFilesAsTheyWere_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("succeeds");

        for (const Writer &w : writers) {
            const QString name = QLatin1String(w.name);
            const auto row = [&name](const char *fault, bool succeeds) {
                QTest::newRow(qPrintable(name + QLatin1String(": ") + QLatin1String(fault))) << name << QString::fromLatin1(fault) << succeeds;
            };
            row("full file system", false);
            row("read-only file system", false);
            // Only a writer that goes through ".new" cares that the name is taken.
            row(".new is a folder", !w.writesNew);
            row("missing folder", false);
            row("symbolic link", true);
            // As a container has its /etc/hosts, /etc/hostname and /etc/resolv.conf:
            // a file cannot be renamed over a mount point, only written into.
            row("bind-mounted file", !w.writesNew);
        }
    }

    void leavesFilesAsTheyWere()
    {
        QFETCH(QString, writer);
        QFETCH(QString, fault);
        QFETCH(bool, succeeds);
        const Writer &w = *std::find_if(std::begin(writers), std::end(writers), [&writer](const Writer &candidate) {
            return writer == QLatin1String(candidate.name);
        });
        const QString target = QLatin1String(w.path);
        const QString linked = QStringLiteral("/srv/") + QFileInfo(target).fileName();

        SystemRoot stage;
        QDir().mkpath(stage.path(QStringLiteral("/etc")));
        if (fault == QLatin1String("missing folder")) {
            QDir(stage.path(QFileInfo(target).path())).removeRecursively();
        } else if (fault == QLatin1String("bind-mounted file")) {
            stage.write(linked, "# before, mounted\n");
            stage.write(target, "# before, mounted\n");
            stage.write(target + QLatin1String(".old"), "# older\n");
        } else if (fault == QLatin1String("symbolic link")) {
            stage.write(linked, "# before, behind a link\n");
            stage.write(linked + QLatin1String(".old"), "# older\n");
            QDir().mkpath(stage.path(QFileInfo(target).path()));
            const QString relative = QDir(stage.path(QFileInfo(target).path())).relativeFilePath(stage.path(linked));
            QVERIFY(QFile::link(relative, stage.path(target)));
        } else {
            stage.write(target, "# before\nauto lo\n");
            stage.write(target + QLatin1String(".old"), "# older\n");
        }
        if (fault == QLatin1String(".new is a folder")) {
            stage.write(target + QLatin1String(".new/keep"), "kept\n");
        }

        const QString prepare = fault == QLatin1String("full file system") ? FaultyRoot::FillUp
            : fault == QLatin1String("read-only file system")              ? FaultyRoot::MakeReadOnly
            : fault == QLatin1String("bind-mounted file")                  ? QStringLiteral("mount --bind \"$ROOT%1\" \"$ROOT%2\"").arg(linked, target)
                                                                           : QStringLiteral("true");
        QMap<QString, QByteArray> tree;
        QCOMPARE(FaultyRoot::run(stage.path(QString()), prepare, writer, &tree), QByteArray(succeeds ? "ok\n" : "failed\n"));

        QMap<QString, QByteArray> expected = FaultyRoot::snapshot(stage.path(QString()));
        if (succeeds) {
            const QString written = fault == QLatin1String("symbolic link") && w.followsLink ? linked : target;
            const QByteArray after = tree.value(written);
            if (*w.written) {
                QVERIFY2(after.contains(w.written), after.constData());
            } else {
                QCOMPARE(after, TextFile::toBytes(inPlaceContent(writer)));
            }
            if (w.backup) {
                expected[written + QLatin1String(w.backup)] = expected.value(written);
            }
            expected[written] = after;
            if (fault == QLatin1String("bind-mounted file")) {
                expected[linked] = after;
            }
        }
        QCOMPARE(tree, expected);
    }
};

int main(int argc, char *argv[])
{
    if (!FaultyRoot::task().isEmpty()) {
        std::puts(writeOnce(FaultyRoot::task()) ? "ok" : "failed");
        return 0;
    }
    QCoreApplication app(argc, argv);
    WriteFaultTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "writefaulttest.moc"
