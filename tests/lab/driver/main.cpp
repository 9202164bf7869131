// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// quorlan-driver PLUGIN STEPS: builds the module out of the plug-in and runs
// the steps of the file STEPS ("-" reads them from standard input), writing a
// transcript to standard output and, at the end, the state of every named
// widget to standard error, where the output of the module's commands goes
// too. Exit status 0 when every step was done.

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include "boxanswerer.h"
#include "driver.h"

#include <unistd.h>

namespace
{
// Long enough for networking to restart on a loaded machine; a box nobody can
// close would otherwise keep the lab up until the test's own time-out.
const unsigned TimeLimitSeconds = 100;

QStringList readSteps(const QString &path)
{
    QFile file(path);
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Boxes come and go before the module's window exists.
    app.setQuitOnLastWindowClosed(false);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "usage: " << arguments.value(0) << " PLUGIN STEPS" << Qt::endl;
        return 2;
    }
    const QStringList steps = readSteps(arguments.at(2));
    if (steps.isEmpty()) {
        QTextStream(stderr) << "cannot read the steps " << arguments.at(2) << Qt::endl;
        return 2;
    }
    alarm(TimeLimitSeconds);

    // The commands the module runs write to the driver's standard output;
    // the transcript keeps that stream for itself and sends theirs to the log.
    QFile transcriptFile;
    if (!transcriptFile.open(dup(STDOUT_FILENO), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        QTextStream(stderr) << "cannot keep the transcript apart" << Qt::endl;
        return 2;
    }
    QTextStream transcript(&transcriptFile);
    QTextStream widgets(stderr);
    BoxAnswerer answerer(transcript);
    Driver driver(arguments.at(1), transcript, answerer);
    const bool done = driver.run(steps);
    driver.dumpWidgets(widgets);
    return done ? 0 : 1;
}
