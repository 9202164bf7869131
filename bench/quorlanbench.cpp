// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// Times the file readers and writers on generated files of two sizes, ten times
// apart, against awk simplifying the same file's white space in the same run,
// and measures the peak memory of one run in a process of its own. Prints a
// Markdown table. Usage: quorlanbench [folder on a tmpfs for the files]

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "platform/systempaths.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace
{
struct Case {
    const char *name;
    const char *systemPath; // the generated input; awk reads the same file
    const char *unit;
    std::vector<int> sizes; // each ten times the one before
    std::function<QByteArray(int)> generate;
    std::function<void()> run;
};

QString realPath(const char *systemPath)
{
    return SystemPaths::path(QString::fromLatin1(systemPath));
}

void writeFile(const char *systemPath, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(realPath(systemPath)).path());
    QFile file(realPath(systemPath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size()) {
        qFatal("cannot write %s", qPrintable(file.fileName()));
    }
}

// Runs a program to its end, its standard output going to a file.
void runProgram(const std::vector<QByteArray> &arguments, const QByteArray &output)
{
    std::vector<char *> argv;
    for (const QByteArray &argument : arguments) {
        argv.push_back(const_cast<char *>(argument.constData()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid;
    int status = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0 || ::waitpid(pid, &status, 0) != pid || status != 0) {
        qFatal("%s failed", argv[0]);
    }
    posix_spawn_file_actions_destroy(&actions);
}

// The most memory a process of its own holds while it runs the case once: the
// high-water mark of its own pages (getrusage would count those of the
// benchmark that spawned it, too).
qint64 peakBytes(const QByteArray &self, const char *caseName)
{
    const QString report = SystemPaths::path(QStringLiteral("/peak"));
    runProgram({self, "--once", caseName}, QFile::encodeName(report));
    QFile file(report);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() * 1024 : 0;
}

qint64 ownPeakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return 0;
}

// The median of enough runs to fill about half a second (at least five).
double medianSeconds(const std::function<void()> &run)
{
    std::vector<double> times;
    QElapsedTimer total;
    total.start();
    while (times.size() < 5 || (total.elapsed() < 500 && times.size() < 101)) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

Interface record(int number, Interface::Method method)
{
    Interface result;
    result.setInterfaceNumber(number);
    result.present = true;
    result.enabled = true;
    result.saveSettings(method == Interface::Dhcp,
                        QStringLiteral("10.0.%1.2").arg(number),
                        QStringLiteral("255.255.255.0"),
                        QStringLiteral("10.0.%1.1").arg(number),
                        QStringLiteral("box"));
    result.defaultGateway = number == 0;
    return result;
}

// Stanzas of many kinds, eth0 to eth4 among them, as a router or a VM host has.
QByteArray interfacesFile(int stanzas)
{
    QByteArray file = "# generated for the benchmark\nauto lo\niface lo inet loopback\n\n";
    for (int i = 0; i < stanzas; ++i) {
        const QByteArray device = QByteArray(i < 5 ? "eth" : "vlan") + QByteArray::number(i);
        file += "auto " + device + "\niface " + device + " inet static\n    address 10." + QByteArray::number(i / 250 % 250) + "." + QByteArray::number(i % 250)
            + ".1\n\tnetmask 255.255.255.0\n    up   ip link set " + device + " mtu 1400\n# stanza " + QByteArray::number(i) + "\n\n";
    }
    return file;
}

QByteArray leaseFile(int blocks)
{
    QByteArray file;
    for (int i = 0; i < blocks; ++i) {
        const QByteArray device(i % 3 ? "eth0" : "eth1");
        file += "lease {\n  interface \"" + device + "\";\n  fixed-address 10.0." + QByteArray::number(i % 250) + ".57;\n"
            + "  option subnet-mask 255.255.252.0;\n  option routers 10.0.0.1;\n  option dhcp-lease-time 3600;\n"
              "  option domain-name-servers 10.0.0.53,10.0.0.54;\n  option host-name \"labhost\";\n"
              "  renew 6 2026/12/05 14:12:56;\n  rebind 6 2026/12/05 14:38:11;\n  expire 6 2026/12/05 14:45:41;\n}\n";
    }
    return file;
}

void writeInterfaces()
{
    static const Interface records[] = {record(0, Interface::Static),
                                        record(1, Interface::Dhcp),
                                        record(2, Interface::Static),
                                        record(3, Interface::Static),
                                        record(4, Interface::Dhcp)};
    if (!InterfacesFile::write(records, 5)) {
        qFatal("the interfaces file was not written");
    }
}

// The lease file, and beside it the interfaces file of one DHCP interface.
QByteArray leaseFileBesideInterfaces(int blocks)
{
    writeFile("/etc/network/interfaces", "auto lo eth0\niface lo inet loopback\niface eth0 inet dhcp\niface eth1 inet static\n\taddress 10.0.1.2\n");
    return leaseFile(blocks);
}

void readInterfacesAndLease()
{
    const std::optional<QStringList> lines = InterfacesFile::readLines();
    for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
        Interface record;
        record.setInterfaceNumber(i);
        record.parseInterfacesList(*lines);
    }
}

const std::vector<Case> &cases()
{
    static const std::vector<Case> all = {
        {"interfaces write, 5 records", "/etc/network/interfaces", "stanzas", {50, 500, 5000}, interfacesFile, writeInterfaces},
        {"interfaces + lease read", "/var/dhcp/dhclient.leases", "lease blocks", {10, 100, 1000, 10000}, leaseFileBesideInterfaces, readInterfacesAndLease},
    };
    return all;
}

QString size(qint64 bytes)
{
    return bytes < 1 << 20 ? QStringLiteral("%1 KB").arg(bytes / 1024.0, 0, 'f', 0) : QStringLiteral("%1 MB").arg(bytes / 1048576.0, 0, 'f', 1);
}

QString duration(double seconds)
{
    return seconds < 1e-3 ? QStringLiteral("%1 µs").arg(seconds * 1e6, 0, 'f', 0) : QStringLiteral("%1 ms").arg(seconds * 1e3, 0, 'f', 1);
}

// One case on one input size: a table row, and our time for the scaling check.
double measure(const Case &c, int count, const QByteArray &self)
{
    const QByteArray input = c.generate(count);
    const QString path = realPath(c.systemPath);
    const QByteArray awkOutput = QFile::encodeName(path + QLatin1String(".awk"));
    const std::function<void()> fresh = [&]() {
        writeFile(c.systemPath, input);
    };
    fresh();
    const double awk = medianSeconds([&]() {
        runProgram({"awk", "{$1=$1};1", QFile::encodeName(path)}, awkOutput);
    });
    const double ours = medianSeconds([&]() {
        c.run();
    });
    fresh();
    const qint64 peak = peakBytes(self, c.name);
    std::printf("| %s | %d %s (%s) | %s | %s | %.2f× | %s (%.1f× the file) |\n",
                c.name,
                count,
                c.unit,
                qPrintable(size(input.size())),
                qPrintable(duration(ours)),
                qPrintable(duration(awk)),
                ours / awk,
                qPrintable(size(peak)),
                double(peak) / input.size());
    std::fflush(stdout);
    return ours;
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("--once")) {
        for (const Case &c : cases()) {
            if (arguments.at(2) == QLatin1String(c.name)) {
                c.run();
            }
        }
        std::printf("%lld\n", ownPeakKilobytes());
        return 0;
    }
    QTemporaryDir root(arguments.value(1, QDir::tempPath()) + QLatin1String("/quorlan-bench-XXXXXX"));
    qputenv("QUORLAN_ROOT", QFile::encodeName(root.path()));
    const qint64 idle = peakBytes(QFile::encodeName(app.applicationFilePath()), "nothing");

    std::printf("| case | input | quorlan | awk '{$1=$1};1' | ratio | peak memory |\n|---|---|---|---|---|---|\n");
    QStringList scaling;
    for (const Case &c : cases()) {
        std::vector<double> times;
        for (const int count : c.sizes) {
            times.push_back(measure(c, count, QFile::encodeName(app.applicationFilePath())));
        }
        QStringList steps;
        for (size_t i = 1; i < times.size(); ++i) {
            steps << QStringLiteral("×%1").arg(times[i] / times[i - 1], 0, 'f', 1);
        }
        scaling << QStringLiteral("%1: %2").arg(QLatin1String(c.name), steps.join(QLatin1String(", ")));
    }
    std::printf("\nTime for ten times the input, step by step: %s.\nA process that only starts peaks at %s.\n",
                qPrintable(scaling.join(QLatin1String("; "))),
                qPrintable(size(idle)));
    return 0;
}
