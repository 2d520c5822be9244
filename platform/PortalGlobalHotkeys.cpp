// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortalGlobalHotkeys.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <optional>

namespace platterwise {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");
const QString kRegistry = QStringLiteral("org.freedesktop.host.portal.Registry");

// One entry of the portal's shortcut lists, D-Bus type (sa{sv}).
struct PortalShortcut {
    QString Id;
    QVariantMap Properties;
};

QDBusArgument& operator<<(QDBusArgument& out, const PortalShortcut& s) {
    out.beginStructure();
    out << s.Id << s.Properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, PortalShortcut& s) {
    in.beginStructure();
    in >> s.Id >> s.Properties;
    in.endStructure();
    return in;
}

} // namespace
} // namespace platterwise

Q_DECLARE_METATYPE(platterwise::PortalShortcut)

namespace platterwise {
namespace {

void RegisterTypes() {
    static const bool once = [] {
        qDBusRegisterMetaType<PortalShortcut>();
        qDBusRegisterMetaType<QList<PortalShortcut>>();
        return true;
    }();
    (void)once;
}

// The key in the notation of the shortcuts the portal takes ("CTRL+a"), and the same for
// people ("Ctrl+A"); both empty unless the key is a letter or a digit.
struct Triggers {
    QString Portal, Readable;
};

Triggers TriggersOf(unsigned modifiers, unsigned virtualKey) {
    const bool letter = virtualKey >= 0x41 && virtualKey <= 0x5A;
    if (!letter && !(virtualKey >= 0x30 && virtualKey <= 0x39)) {
        return {};
    }
    Triggers t;
    const struct {
        unsigned Flag;
        const char *Portal, *Readable;
    } names[] = {{MOD_CONTROL, "CTRL", "Ctrl"},
                 {MOD_ALT, "ALT", "Alt"},
                 {MOD_SHIFT, "SHIFT", "Shift"},
                 {MOD_WIN, "LOGO", "Super"}};
    for (const auto& n : names) {
        if (modifiers & n.Flag) {
            t.Portal += QLatin1String(n.Portal) + QLatin1Char('+');
            t.Readable += QLatin1String(n.Readable) + QLatin1Char('+');
        }
    }
    const QChar key{char16_t(virtualKey)};
    t.Portal += letter ? key.toLower() : key;
    t.Readable += key;
    return t;
}

// A fresh token for a request or session object path.
QString NewToken() {
    static unsigned counter = 0;
    return QStringLiteral("platterwise_%1_%2")
        .arg(++counter)
        .arg(QRandomGenerator::global()->generate());
}

// The object path the portal gives the request made with `token` by this connection.
QString RequestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService().mid(1); // ":1.42" becomes "1_42"
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

QString HandleText(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<QDBusObjectPath>()) {
        return v.value<QDBusObjectPath>().path();
    }
    return v.toString();
}

// The errors of a bus on which no one serves the call: no portal, or a portal whose
// backends implement no global shortcuts, so that it does not export the interface.
bool NotServed(QDBusError::ErrorType type) {
    return type == QDBusError::ServiceUnknown || type == QDBusError::UnknownInterface ||
           type == QDBusError::UnknownMethod || type == QDBusError::UnknownObject;
}

bool Lists(const QVariantMap& results, const QString& shortcutId) {
    const auto bound =
        qdbus_cast<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts")));
    return std::any_of(bound.begin(), bound.end(),
                       [&](const PortalShortcut& s) { return s.Id == shortcutId; });
}

} // namespace

// One portal session holding one bound shortcut. Closing it (or destroying it) gives the
// shortcut back.
class TPortalGlobalHotkeys::Session final : public QObject {
    Q_OBJECT
public:
    Session(QDBusConnection bus, std::chrono::milliseconds limit, std::function<void()> activated)
        : bus_(std::move(bus))
        , limit_(limit)
        , activated_(std::move(activated)) {}
    ~Session() override { Close(); }

    // Set when a call found no portal, or a portal without global shortcuts.
    bool Missing() const { return missing_; }

    // Creates the session and binds `shortcutId`; true iff the portal bound it.
    bool Open(const QString& shortcutId, const Triggers& triggers) {
        const auto created = Ask(QStringLiteral("CreateSession"), {},
                                 {{QStringLiteral("session_handle_token"), NewToken()}});
        if (!created || created->Code != 0) {
            return false;
        }
        sessionPath_ = HandleText(created->Results.value(QStringLiteral("session_handle")));
        if (sessionPath_.isEmpty()) {
            return false;
        }
        bus_.connect(kService, kPath, kShortcuts, QStringLiteral("Activated"), this,
                     SLOT(Activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
        const QList<PortalShortcut> wanted{
            {shortcutId,
             {{QStringLiteral("description"), QStringLiteral("%1 hotkey").arg(triggers.Readable)},
              {QStringLiteral("preferred_trigger"), triggers.Portal}}}};
        const auto bound = Ask(QStringLiteral("BindShortcuts"),
                               {QVariant::fromValue(QDBusObjectPath(sessionPath_)),
                                QVariant::fromValue(wanted), QString()},
                               {});
        bound_ = bound && bound->Code == 0 && Lists(bound->Results, shortcutId);
        shortcutId_ = shortcutId;
        return bound_;
    }

private slots:
    void Response(uint code, const QVariantMap& results) {
        answer_ = Answer{code, results};
        if (waiting_ != nullptr) {
            waiting_->quit();
        }
    }

    void Activated(const QDBusObjectPath& session, const QString& shortcutId, qulonglong,
                   const QVariantMap&) {
        if (bound_ && session.path() == sessionPath_ && shortcutId == shortcutId_) {
            activated_();
        }
    }

private:
    struct Answer {
        uint Code; // 0 granted, 1 cancelled by the user, 2 refused otherwise
        QVariantMap Results;
    };

    // Calls `method` of the portal and waits for the Response of the request it starts.
    // Empty when the call fails or no answer comes within the limit.
    std::optional<Answer> Ask(const QString& method, QVariantList arguments, QVariantMap options) {
        const QString token = NewToken();
        options.insert(QStringLiteral("handle_token"), token);
        arguments << options;
        // Listening before the call, so that a quick answer cannot pass unseen.
        QStringList requests{RequestPath(bus_, token)};
        Listen(requests.front(), true);

        QEventLoop loop;
        bool failed = false;
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kShortcuts, method);
        call.setArguments(arguments);
        QDBusPendingCallWatcher watcher(bus_.asyncCall(call, int(limit_.count())));
        connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, [&] {
            const QDBusPendingReply<QDBusObjectPath> reply = watcher;
            if (reply.isError()) {
                failed = true;
                missing_ = NotServed(reply.error().type());
                loop.quit();
            } else if (reply.value().path() != requests.front()) {
                // An older portal chose the request's path itself.
                requests << reply.value().path();
                Listen(requests.back(), true);
            }
        });
        QTimer::singleShot(limit_, &loop, &QEventLoop::quit);
        answer_.reset();
        waiting_ = &loop;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        waiting_ = nullptr;
        for (const QString& request : requests) {
            Listen(request, false);
        }
        return failed ? std::nullopt : answer_;
    }

    void Listen(const QString& request, bool on) {
        const QString signal = QStringLiteral("Response");
        const char* slot = SLOT(Response(uint, QVariantMap));
        if (on) {
            bus_.connect(kService, request, kRequest, signal, this, slot);
        } else {
            bus_.disconnect(kService, request, kRequest, signal, this, slot);
        }
    }

    void Close() {
        if (!sessionPath_.isEmpty()) {
            bus_.send(QDBusMessage::createMethodCall(kService, sessionPath_, kSession,
                                                     QStringLiteral("Close")));
            sessionPath_.clear();
        }
    }

    QDBusConnection bus_;
    std::chrono::milliseconds limit_;
    std::function<void()> activated_;
    QString sessionPath_;
    QString shortcutId_;
    bool bound_ = false;
    bool missing_ = false;
    std::optional<Answer> answer_;
    QEventLoop* waiting_ = nullptr;
};

TPortalGlobalHotkeys::TPortalGlobalHotkeys(QDBusConnection bus, QString appId,
                                           std::chrono::milliseconds answerLimit)
    : bus_(std::move(bus))
    , answerLimit_(answerLimit) {
    RegisterTypes();
    if (!appId.isEmpty() && bus_.isConnected()) {
        // Must precede every other portal call of this connection; portals without the
        // registry answer with an error, which changes nothing.
        QDBusMessage who =
            QDBusMessage::createMethodCall(kService, kPath, kRegistry, QStringLiteral("Register"));
        who << appId << QVariantMap();
        bus_.send(who);
    }
}

TPortalGlobalHotkeys::~TPortalGlobalHotkeys() = default;

bool TPortalGlobalHotkeys::RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) {
    const Triggers triggers = TriggersOf(modifiers, virtualKey);
    if (!bus_.isConnected()) {
        offered_ = false;
        return false;
    }
    if (triggers.Portal.isEmpty() || sessions_.count(id) != 0) {
        return false;
    }
    // The session is this object's own: the callback ends with it.
    auto session =
        std::make_unique<Session>(bus_, answerLimit_, [this, id] { emit HotKeyPressed(id); });
    if (!session->Open(QStringLiteral("hotkey-%1").arg(id), triggers)) {
        offered_ = !session->Missing();
        return false; // the session closes with it
    }
    sessions_.emplace(id, std::move(session));
    return true;
}

bool TPortalGlobalHotkeys::UnregisterHotKey(int id) {
    return sessions_.erase(id) > 0;
}

} // namespace platterwise

#include "PortalGlobalHotkeys.moc"
