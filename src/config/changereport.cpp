// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "changereport.h"

#include <QRegularExpression>
#include <QStringList>

#include <KLocalizedString>

#include "platform/unifieddiff.h"
#include "systemfiles.h"
#include "textfile.h"

namespace
{
// A file's bytes, never null: a null array stands for a missing file, so that
// a file the Apply creates is told from one it empties.
QByteArray existing(const QByteArray &bytes)
{
    return bytes.isNull() ? QByteArray("") : bytes;
}

QByteArray currentBytes(const QString &systemPath)
{
    const std::optional<QByteArray> bytes = TextFile::readBytes(systemPath);
    return bytes ? existing(*bytes) : QByteArray();
}

bool isInterfacesFile(const QString &systemPath)
{
    return systemPath == QLatin1String(SystemFiles::Interfaces);
}

QString section(const QString &systemPath, const QByteArray &before, const QByteArray &after)
{
    const std::optional<QString> diff = UnifiedDiff::compare(ChangeReport::maskedKeys(before), ChangeReport::maskedKeys(after), systemPath);
    if (!diff) {
        // i18n: %1 is the path of a system file, such as /etc/hosts; "diff" is the name of a program.
        return i18n("%1 was changed; the changes cannot be shown, as the program diff could not compare the two versions.", systemPath);
    }
    if (diff->isEmpty()) {
        // i18n: %1 is the path of a system file, such as /etc/pcmcia/wireless.opts.
        return i18n("%1 was changed in an encryption key only; keys are not shown.", systemPath);
    }
    QStringList lines = (diff->endsWith(QLatin1Char('\n')) ? diff->chopped(1) : *diff).split(QLatin1Char('\n'));
    if (lines.size() <= ChangeReport::MaxLinesPerFile) {
        return lines.join(QLatin1Char('\n'));
    }
    // A hosts file of a few hundred thousand lines, first written by the
    // module, changes in every line: more than anyone reads in a box or a log.
    const int left = lines.size() - ChangeReport::MaxLinesPerFile;
    lines.erase(lines.begin() + ChangeReport::MaxLinesPerFile, lines.end());
    // i18n: Ends the changes of a file when they are too long to show; %1 is the number of lines not shown.
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n') + i18np("... and 1 more line of changes", "... and %1 more lines of changes", left);
}
}

ChangeReport::ChangeReport()
{
    const QStringList files = systemFiles();
    for (const QString &file : files) {
        m_before << (isInterfacesFile(file) ? QByteArray() : currentBytes(file));
    }
}

void ChangeReport::setInterfacesFile(const QByteArray &before, const QByteArray &after)
{
    m_before[systemFiles().indexOf(QLatin1String(SystemFiles::Interfaces))] = existing(before);
    m_interfacesAfter = existing(after);
}

QStringList ChangeReport::systemFiles()
{
    return {
        QLatin1String(SystemFiles::Hostname),
        QLatin1String(SystemFiles::Hosts),
        QLatin1String(SystemFiles::Interfaces),
        QLatin1String(SystemFiles::ResolvConf),
        QLatin1String(SystemFiles::WirelessOptions),
    };
}

QByteArray ChangeReport::maskedKeys(const QByteArray &bytes)
{
    // The wireless file's KEY line, on or commented out, and the key lines of
    // an interfaces stanza; the value keeps its opening quote, if it has one.
    static const QRegularExpression keyValue(
        QStringLiteral(R"(^([ \t]*(?:#[ \t]*)?(?:KEY[ \t]*=|(?:wireless-key\d?|wpa-psk|wpa-password)[ \t])[ \t]*"?)[^\n]*?("?)[ \t]*$)"),
        QRegularExpression::MultilineOption);
    // Latin-1 both ways keeps every other byte as it was, whatever the encoding.
    return QString::fromLatin1(bytes).replace(keyValue, QStringLiteral("\\1****\\2")).toLatin1();
}

QString ChangeReport::text() const
{
    const QStringList files = systemFiles();
    QStringList sections;
    for (int i = 0; i < files.size(); ++i) {
        const QByteArray after = isInterfacesFile(files.at(i)) ? m_interfacesAfter : currentBytes(files.at(i));
        if (after != m_before.at(i) || after.isNull() != m_before.at(i).isNull()) {
            sections << section(files.at(i), m_before.at(i), after);
        }
    }
    if (sections.isEmpty()) {
        return i18n("No system file was changed.");
    }
    return sections.join(QLatin1String("\n\n"));
}
