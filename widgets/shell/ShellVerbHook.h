// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Offered by a control that wants a say around the verbs chosen from an item's context
// menu: BeforeVerb may handle the verb itself; AfterVerb learns whether it succeeded.
#include <QByteArray>

namespace platterwise {

class IShellVerbHook {
public:
    virtual void BeforeVerb(const QByteArray& verb, bool& handled) = 0;
    virtual void AfterVerb(const QByteArray& verb, bool succeeded) = 0;

protected:
    ~IShellVerbHook() = default;
};

} // namespace platterwise
