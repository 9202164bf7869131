// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The interfaces file read into the five records, written back and read again,
// as a load, a save and the reload after it do: no comment may go, a refused
// save changes nothing, and, for a file that ifupdown can read and whose auto
// lines name devices as whole words, every value a record wrote must read back
// and the file must settle: a save of the reloaded records changes nothing more
// once an empty value has been derived.

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "config/textfile.h"
#include "fuzzroot.h"

#include <QRegularExpression>

namespace
{
// A "#" line that a backslash joins to the line before it is part of that
// line for ifupdown, not a comment, and goes wherever that line goes; a
// comment itself continues nothing.
QStringList comments(const QStringList &lines)
{
    QStringList result;
    bool continued = false;
    for (const QString &line : lines) {
        if (!continued && line.startsWith(QLatin1Char('#'))) {
            result << line;
        }
        continued = line.endsWith(QLatin1Char('\\')) && (continued || !line.startsWith(QLatin1Char('#')));
    }
    return result;
}

// ifupdown refuses an option line that follows no "iface" or "mapping" line
// ("misplaced option"); where such a line belongs is anybody's guess.
bool hasMisplacedOptions(const QStringList &lines)
{
    static const QStringList entries{QStringLiteral("auto"),
                                     QStringLiteral("source"),
                                     QStringLiteral("source-directory"),
                                     QStringLiteral("rename"),
                                     QStringLiteral("no-auto-down"),
                                     QStringLiteral("no-scripts")};
    bool inStanza = false;
    for (const QString &line : lines) {
        const QStringView word = QStringView(line).left(line.indexOf(QLatin1Char(' ')));
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (word == QLatin1String("iface") || word == QLatin1String("mapping")) {
            inStanza = true;
        } else if (entries.contains(word) || word.startsWith(QLatin1String("allow-"))) {
            inStanza = false;
        } else if (!inStanza) {
            return true;
        }
    }
    return false;
}

// The records find their device on an auto line by a substring test, so
// "auto veth0" names eth0, and taking eth0 off it leaves "auto v"; a name inside
// another word does not survive a save unchanged.
bool hasDeviceNamesInsideWords(const QStringList &lines)
{
    static const QRegularExpression inside(QStringLiteral("^auto .*(\\Seth[0-4]|eth[0-4]\\S)"));
    return std::any_of(lines.cbegin(), lines.cend(), [](const QString &line) {
        return inside.match(line).hasMatch();
    });
}

// A gateway of the own network only is written inside a route command, between
// "gw" and "dev", after the network and the netmask; it reads back as long as
// those are addresses (what the Interfaces tab lets through), not free text.
bool gatewayReadsBack(const Interface &r)
{
    static const QRegularExpression address(QStringLiteral("^[0-9.]*$"));
    const Addresses &a = r.staticAddresses;
    return r.defaultGateway || (address.match(a.network).hasMatch() && address.match(a.netmask()).hasMatch() && address.match(a.gateway).hasMatch());
}

// The values a record wrote, as text, so that a difference can be shown. An
// empty address is not written at all; the reader may derive one, so it is
// left out.
QByteArray writtenValues(const Interface &r, const Interface &writer)
{
    QString text = QStringLiteral("%1 enabled=%2 method=%3").arg(r.deviceName).arg(r.enabled).arg(r.method);
    if (writer.method == Interface::Dhcp) {
        return (text + QLatin1String(" host=") + (writer.dhcpHostName.isEmpty() ? QString() : r.dhcpHostName)).toLatin1();
    }
    const Addresses &a = r.staticAddresses;
    const Addresses &w = writer.staticAddresses;
    const std::pair<const char *, QString> fields[] = {{" address=", w.ipAddress().isEmpty() ? QString() : a.ipAddress()},
                                                       {" netmask=", w.netmask().isEmpty() ? QString() : a.netmask()},
                                                       {" broadcast=", w.broadcast.isEmpty() ? QString() : a.broadcast},
                                                       {" network=", w.network.isEmpty() ? QString() : a.network},
                                                       {" gateway=", w.gateway.isEmpty() || !gatewayReadsBack(writer) ? QString() : a.gateway}};
    for (const auto &[name, value] : fields) {
        text += QLatin1String(name) + value;
    }
    return (text + QLatin1String(w.gateway.isEmpty() || r.defaultGateway == writer.defaultGateway ? "" : " default gateway differs")).toLatin1();
}

// The file as the records see it, held in memory: a save puts its bytes here,
// and its lines as the reader gives them beside them.
QByteArray content;
QStringList contentLines;

void setContent(const QByteArray &bytes)
{
    content = bytes;
    contentLines = TextFile::simplifiedLines(content);
}

QByteArray fileContent()
{
    return content;
}

// Reloads the records as the module does after a save: the same records, parsed again.
void reload(Interface *records)
{
    for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
        records[i].parseInterfacesList(contentLines, std::nullopt);
    }
}

// A save: false when the records refuse to rewrite the file, which then stays as it was.
bool write(const Interface *records)
{
    const std::optional<QStringList> rewritten = InterfacesFile::rewrite(contentLines, records, InterfacesFile::RecordCount);
    if (rewritten) {
        setContent(TextFile::toBytes(*rewritten));
    }
    return bool(rewritten);
}

void save(const Interface *records)
{
    FuzzRoot::check(write(records), "a file the module wrote can be written again", fileContent());
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    setContent(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    const QStringList original = contentLines;
    InterfacesFile::hasUnsupportedOptions(original);
    Interface records[InterfacesFile::RecordCount];
    for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
        records[i].setInterfaceNumber(i);
        records[i].present = true;
    }
    reload(records);
    const QByteArray before = fileContent();
    if (!write(records)) {
        // Refused (the file strands misplaced options): nothing may have changed.
        FuzzRoot::check(fileContent() == before, "a refused save leaves the file as it was");
        return 0;
    }
    const QByteArray once = fileContent();
    FuzzRoot::check(comments(contentLines) == comments(original), "every comment line is kept, in order", once);
    if (hasMisplacedOptions(original) || hasDeviceNamesInsideWords(original)) {
        return 0;
    }

    Interface reloaded[InterfacesFile::RecordCount];
    std::copy(std::begin(records), std::end(records), std::begin(reloaded));
    reload(reloaded);
    for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
        const QByteArray wrote = writtenValues(records[i], records[i]);
        const QByteArray read = writtenValues(reloaded[i], records[i]);
        FuzzRoot::check(read == wrote, "a record reads back as written", wrote + "\nread back as\n" + read + "\nfrom\n" + once);
    }

    // A route that holds more than addresses is read back differently each time.
    if (!std::all_of(std::begin(records), std::end(records), gatewayReadsBack)) {
        return 0;
    }
    save(reloaded);
    const QByteArray twice = fileContent();
    reload(reloaded);
    save(reloaded);
    FuzzRoot::check(fileContent() == twice, "the file settles after one reload", twice + "\nbecame\n" + fileContent());
    return 0;
}
