// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "hostsfile.h"

#include "basicnetcfg.h"
#include "interface.h"
#include "quorlan_debug.h"
#include "textfile.h"

#include <QByteArrayMatcher>
#include <QStringMatcher>

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

namespace
{
QString hostsPath()
{
    return QLatin1String(SystemFiles::Hosts);
}

/**
 * What one interface does, within one pass, with the lines that hold its address.
 * The first such line may be treated differently from the later ones; the walk
 * that hands the lines over remembers which rules have met theirs, so that the
 * rules themselves are set up once for every walk of a save.
 */
class AddressRule
{
public:
    enum class Action {
        Keep,
        Replace,
        Drop,
    };

    AddressRule(const QString &address, Action first, Action later, const QString &entry = QString(), bool appendWhenUnseen = false)
        : m_address(address)
        , m_entry(entry)
        , m_first(first)
        , m_later(later)
        , m_appendWhenUnseen(appendWhenUnseen)
    {
    }

    /// The line as this rule leaves it (the given line itself, or the rule's
    /// entry); nullptr when the rule drops it. Nothing is copied: most lines
    /// of a long file pass every rule untouched.
    const QString *apply(const QString &line, bool &seen) const
    {
        if (!matches(line)) {
            return &line;
        }
        const Action action = seen ? m_later : m_first;
        seen = true;
        switch (action) {
        case Action::Keep:
            return &line;
        case Action::Replace:
            return &m_entry;
        case Action::Drop:
            break;
        }
        return nullptr;
    }

    const QString &address() const
    {
        return m_address;
    }

    /// The line to add after the last one, if this rule wants one; nullptr if not.
    const QString *appendix(bool seen) const
    {
        return m_appendWhenUnseen && !seen ? &m_entry : nullptr;
    }

private:
    // A substring test, not a column test: 10.0.0.1 also claims a line of
    // 10.0.0.12, and an address in a trailing comment counts; a comment line never does.
    bool matches(const QString &line) const
    {
        return !m_address.isEmpty() && !line.startsWith(QLatin1Char('#')) && line.contains(m_address);
    }

    QString m_address;
    QString m_entry;
    Action m_first;
    Action m_later;
    bool m_appendWhenUnseen;
};

using Action = AddressRule::Action;

// Three passes of one rule per record at most.
constexpr size_t MaxRules = 3 * HostsFile::InterfaceCount;

// The columns of one entry: the address, the full name and the host name.
QString entryLine(const QString &address, const QString &fullName, const QString &hostName, QLatin1Char separator)
{
    return address + separator + fullName + separator + hostName;
}
}

/**
 * The rules of one pass, or of all three in order, with one search per address
 * set up for them. Most lines of a long file hold none of the addresses: they
 * are kept after those searches, instead of one search, set up afresh, per rule;
 * and the bytes of such a line, when they are simplified already, need not
 * become text at all.
 */
class HostsFile::RuleSet
{
public:
    explicit RuleSet(std::vector<AddressRule> rules)
        : m_rules(std::move(rules))
    {
        Q_ASSERT(m_rules.size() <= MaxRules);
        m_addresses.reserve(m_rules.size());
        m_byteAddresses.reserve(m_rules.size());
        for (const AddressRule &rule : m_rules) {
            const QString &address = rule.address();
            const bool known = std::any_of(m_addresses.cbegin(), m_addresses.cend(), [&address](const QStringMatcher &seen) {
                return seen.pattern() == address;
            });
            if (address.isEmpty() || known) {
                continue;
            }
            m_addresses.emplace_back(address);
            // A character that is no byte never occurs in a line read as bytes.
            if (std::all_of(address.cbegin(), address.cend(), [](QChar c) {
                    return c.unicode() < 0x100;
                })) {
                m_byteAddresses.emplace_back(address.toLatin1());
            }
        }
    }

    const std::vector<AddressRule> &rules() const
    {
        return m_rules;
    }

    /// Whether any rule may act on the line.
    bool concerns(const QString &line) const
    {
        return !line.startsWith(QLatin1Char('#')) && std::any_of(m_addresses.cbegin(), m_addresses.cend(), [&line](const QStringMatcher &address) {
            return address.indexIn(line) >= 0;
        });
    }

    /// Whether the bytes of a line go out as they came in: simplified, and no rule's business.
    bool passesUntouched(const char *line, qsizetype size) const
    {
        if (!TextFile::isSimplified(line, size)) {
            return false;
        }
        return (size > 0 && line[0] == '#') || std::none_of(m_byteAddresses.cbegin(), m_byteAddresses.cend(), [line, size](const QByteArrayMatcher &address) {
                   return address.indexIn(line, int(size)) >= 0;
               });
    }

private:
    std::vector<AddressRule> m_rules;
    std::vector<QStringMatcher> m_addresses;
    std::vector<QByteArrayMatcher> m_byteAddresses;
};

namespace
{
using RuleSet = HostsFile::RuleSet;

/**
 * One walk over the lines with every rule of a set at once. A rule's appended
 * line goes through the rules after it only, exactly as if each rule had walked
 * the list produced by the ones before it.
 */
class RuleWalk
{
public:
    explicit RuleWalk(const RuleSet &set)
        : m_set(set)
    {
    }

    void feed(const QString &line, QStringList &result)
    {
        if (m_set.concerns(line)) {
            passThrough(line, 0, result);
        } else {
            result << line;
        }
    }

    /// The lines the rules add after the last one.
    void finish(QStringList &result)
    {
        const std::vector<AddressRule> &rules = m_set.rules();
        for (size_t index = 0; index < rules.size(); ++index) {
            if (const QString *appended = rules[index].appendix(m_seen[index])) {
                passThrough(*appended, index + 1, result);
            }
        }
    }

private:
    // Hands a line to the rules from index `from` on, in order; what survives them all is kept.
    void passThrough(const QString &line, size_t from, QStringList &result)
    {
        const std::vector<AddressRule> &rules = m_set.rules();
        const QString *current = &line;
        for (size_t index = from; index < rules.size() && current; ++index) {
            current = rules[index].apply(*current, m_seen[index]);
        }
        if (current) {
            result << *current;
        }
    }

    const RuleSet &m_set;
    std::array<bool, MaxRules> m_seen{};
};

QStringList applyRules(const QStringList &lines, const RuleSet &rules)
{
    RuleWalk walk(rules);
    QStringList result;
    result.reserve(lines.size() + 8);
    for (const QString &line : lines) {
        walk.feed(line, result);
    }
    walk.finish(result);
    return result;
}

// No record array counts as no records, not as a crash.
int recordCount(const Interface *records)
{
    return records ? HostsFile::InterfaceCount : 0;
}

// One rule per present record, eth0 first.
std::vector<AddressRule> rulesOfPresentRecords(const Interface *records, const std::function<AddressRule(const Interface &)> &ruleOf)
{
    std::vector<AddressRule> rules;
    rules.reserve(size_t(recordCount(records)));
    for (int index = 0; index < recordCount(records); ++index) {
        if (records[index].present) {
            rules.push_back(ruleOf(records[index]));
        }
    }
    return rules;
}

// Pass 1: each record's former static address gives way to its new entry, or goes.
std::vector<AddressRule> staticRules(const HostsFile &hosts, const Interface *records)
{
    return rulesOfPresentRecords(records, [&hosts](const Interface &record) {
        // An interface without an address (the tab refuses to save one) gets
        // no entry rather than a line that starts with a blank.
        const QString address = record.staticAddresses.ipAddress();
        const bool keepsEntry = record.enabled && record.method == Interface::Static && !address.isEmpty();
        return AddressRule(record.oldIPAddress, keepsEntry ? Action::Replace : Action::Drop, Action::Drop, hosts.hostEntry(address), keepsEntry);
    });
}

// Pass 2: each record's DHCP address keeps its first line only while the record uses DHCP.
std::vector<AddressRule> dynamicRules(const Interface *records)
{
    return rulesOfPresentRecords(records, [](const Interface &record) {
        const bool keepsEntry = record.enabled && record.method == Interface::Dhcp;
        return AddressRule(record.dhcpAddresses.ipAddress(), keepsEntry ? Action::Keep : Action::Drop, Action::Drop);
    });
}

// Pass 3: lines holding a record's current address get the current names.
std::vector<AddressRule> nameRules(const HostsFile &hosts, const Interface *records)
{
    return rulesOfPresentRecords(records, [&hosts](const Interface &record) {
        const Addresses &current = record.method == Interface::Static ? record.staticAddresses : record.dhcpAddresses;
        return AddressRule(current.ipAddress(), Action::Replace, Action::Replace, hosts.hostEntry(current.ipAddress()));
    });
}

// The three passes in one walk: each line goes through the rules of all three
// in turn, which gives what three walks give, and a long file is gone through once.
std::vector<AddressRule> allPasses(const HostsFile &hosts, const Interface *records, bool identityChanged)
{
    std::vector<AddressRule> rules = staticRules(hosts, records);
    std::vector<AddressRule> later[] = {dynamicRules(records), identityChanged ? nameRules(hosts, records) : std::vector<AddressRule>()};
    rules.reserve(rules.size() + later[0].size() + later[1].size());
    for (std::vector<AddressRule> &pass : later) {
        rules.insert(rules.end(), std::make_move_iterator(pass.begin()), std::make_move_iterator(pass.end()));
    }
    return rules;
}
}

HostsFile::HostsFile(const BasicNetCfg &identity, const Interface *interfaces, bool identityChanged)
    : m_identity(identity)
    , m_interfaces(interfaces)
    , m_identityChanged(identityChanged)
    , m_passes(std::make_unique<const RuleSet>(allPasses(*this, interfaces, identityChanged)))
{
}

HostsFile::~HostsFile() = default;

bool HostsFile::writeHosts() const
{
    if (!TextFile::exists(hostsPath()) && !createNewHostsFile()) {
        return false;
    }
    const std::optional<QByteArray> file = TextFile::readBytes(hostsPath());
    if (!file) {
        qCWarning(QUORLAN) << "cannot read" << hostsPath();
        return false;
    }
    return TextFile::replace(hostsPath(), rewrite(*file), TextFile::Replacement());
}

QStringList HostsFile::rewrite(const QStringList &lines) const
{
    return applyRules(lines, *m_passes);
}

QByteArray HostsFile::rewrite(const QByteArray &file) const
{
    RuleWalk walk(*m_passes);
    QByteArray result;
    result.reserve(file.size() + 256);
    QStringList changed;
    TextFile::forEachLine(file.constData(), file.size(), [this, &walk, &result, &changed](const char *line, qsizetype size) {
        if (m_passes->passesUntouched(line, size)) {
            result.append(line, int(size)).append('\n');
            return;
        }
        walk.feed(TextFile::simplified(line, size), changed);
        result += TextFile::toBytes(changed);
        changed.clear();
    });
    walk.finish(changed);
    // Appended where the file's bytes are, not joined into a copy of them all.
    result += TextFile::toBytes(changed);
    return result;
}

bool HostsFile::createNewHostsFile() const
{
    QStringList lines{QStringLiteral("127.0.0.1\tlocalhost.localdomain\tlocalhost")};
    for (int index = 0; index < recordCount(m_interfaces); ++index) {
        const Interface &record = m_interfaces[index];
        const QString address = record.staticAddresses.ipAddress();
        if (record.present && record.enabled && !address.isEmpty()) {
            lines << entryLine(address, fullName(), m_identity.hostName, QLatin1Char('\t'));
        }
    }
    return TextFile::rewriteInPlace(hostsPath(), lines);
}

QStringList HostsFile::modifyHostsStaticEntries(QStringList lines) const
{
    return applyRules(lines, RuleSet(staticRules(*this, m_interfaces)));
}

QStringList HostsFile::modifyHostsDynamicEntries(QStringList lines) const
{
    return applyRules(lines, RuleSet(dynamicRules(m_interfaces)));
}

QStringList HostsFile::modifyHostsNames(QStringList lines) const
{
    if (!m_identityChanged) {
        return lines;
    }
    return applyRules(lines, RuleSet(nameRules(*this, m_interfaces)));
}

QString HostsFile::hostEntry(const QString &address) const
{
    return entryLine(address, fullName(), m_identity.hostName, QLatin1Char(' '));
}

QString HostsFile::fullName() const
{
    if (m_identity.domain.isEmpty()) {
        return m_identity.hostName;
    }
    return m_identity.hostName + QLatin1Char('.') + m_identity.domain;
}
