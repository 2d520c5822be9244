// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePortal.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>

namespace platterwise::testing {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

// (sa{sv}), as the portal lists bound shortcuts.
struct BoundShortcut {
    QString Id;
    QVariantMap Properties;
};

QDBusArgument& operator<<(QDBusArgument& out, const BoundShortcut& s) {
    out.beginStructure();
    out << s.Id << s.Properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, BoundShortcut& s) {
    in.beginStructure();
    in >> s.Id >> s.Properties;
    in.endStructure();
    return in;
}

QString SenderElement(const QDBusMessage& m) {
    return m.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
}

} // namespace
} // namespace platterwise::testing

Q_DECLARE_METATYPE(platterwise::testing::BoundShortcut)

namespace platterwise::testing {

FakePortal::FakePortal(QDBusConnection bus)
    : bus_(std::move(bus)) {
    qDBusRegisterMetaType<BoundShortcut>();
    qDBusRegisterMetaType<QList<BoundShortcut>>();
    serving_ = bus_.registerVirtualObject(kPath, this, QDBusConnection::SubPath) &&
               bus_.registerService(kService);
}

FakePortal::~FakePortal() {
    bus_.unregisterService(kService);
    bus_.unregisterObject(kPath, QDBusConnection::UnregisterTree);
}

QString FakePortal::introspect(const QString&) const {
    return {};
}

void FakePortal::Activate(const QString& session, const QString& shortcutId) {
    QDBusMessage signal =
        QDBusMessage::createSignal(kPath, kShortcuts, QStringLiteral("Activated"));
    signal << QVariant::fromValue(QDBusObjectPath(session)) << shortcutId << qulonglong(1)
           << QVariantMap();
    bus_.send(signal);
}

void FakePortal::Respond(const QDBusMessage& call, const QString& token, uint code,
                         const QVariantMap& results) {
    const QString request =
        kPath + QStringLiteral("/request/") + SenderElement(call) + QLatin1Char('/') + token;
    bus_.send(call.createReply(QVariant::fromValue(QDBusObjectPath(request))));
    if (Answer) {
        QDBusMessage response = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        response << code << results;
        bus_.send(response);
    }
}

bool FakePortal::handleMessage(const QDBusMessage& m, const QDBusConnection&) {
    const QList<QVariant> args = m.arguments();
    const QString member = m.member();
    if (m.interface() == kShortcuts && !Shortcuts) {
        bus_.send(m.createErrorReply(
            QDBusError::UnknownMethod,
            QStringLiteral("No such interface “%1” on object at path %2").arg(kShortcuts, kPath)));
        return true;
    }
    if (m.interface() == kShortcuts && member == QLatin1String("CreateSession") &&
        args.size() == 1) {
        const auto options = qdbus_cast<QVariantMap>(args[0]);
        const QString session = kPath + QStringLiteral("/session/") + SenderElement(m) +
                                QLatin1Char('/') +
                                options.value(QStringLiteral("session_handle_token")).toString();
        Respond(m, options.value(QStringLiteral("handle_token")).toString(), CreateCode,
                {{QStringLiteral("session_handle"), session}});
        return true;
    }
    if (m.interface() == kShortcuts && member == QLatin1String("BindShortcuts") &&
        args.size() == 4) {
        const QString session = qdbus_cast<QDBusObjectPath>(args[0]).path();
        QList<BoundShortcut> bound;
        for (const BoundShortcut& s : qdbus_cast<QList<BoundShortcut>>(args[1])) {
            const QString trigger =
                s.Properties.value(QStringLiteral("preferred_trigger")).toString();
            Asked.push_back({session, s.Id,
                             s.Properties.value(QStringLiteral("description")).toString(),
                             trigger});
            bound.append({s.Id, {{QStringLiteral("trigger_description"), trigger}}});
        }
        QVariantMap results;
        if (ListBound) {
            results.insert(QStringLiteral("shortcuts"), QVariant::fromValue(bound));
        }
        Respond(m,
                qdbus_cast<QVariantMap>(args[3]).value(QStringLiteral("handle_token")).toString(),
                BindCode, results);
        return true;
    }
    if (m.interface() == QLatin1String("org.freedesktop.portal.Session") &&
        member == QLatin1String("Close")) {
        Closed << m.path();
        bus_.send(m.createReply());
        return true;
    }
    if (m.interface() == QLatin1String("org.freedesktop.host.portal.Registry") &&
        member == QLatin1String("Register") && !args.empty()) {
        AppId = args[0].toString();
        bus_.send(m.createReply());
        return true;
    }
    return false;
}

} // namespace platterwise::testing
