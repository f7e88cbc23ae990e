#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <type_traits>
#include <utility>

class Services;

// The one guard of the user interface. Every entry point (a menu command, a
// button, a check box, a timer, a pointer event on the table) runs its work
// inside it: an error raised there is shown in a stop message box titled
// with the program's name, and the program goes on. Qt never sees an
// exception leave a handler.
namespace guard {

// Runs the action; true when it finished without an error.
bool run(Services& services, const std::function<void()>& action);

// Connects `signal` of `sender` to `handler`, which runs inside the guard
// while `context` lives. The handler takes the signal's arguments, or none.
template <typename Sender, typename Owner, typename... Args, typename Handler>
QMetaObject::Connection connect(Services& services, Sender* sender, void (Owner::*signal)(Args...),
                                const QObject* context, Handler handler)
{
    return QObject::connect(sender, signal, context, [&services, handler = std::move(handler)](Args... args) {
        run(services, [&] {
            if constexpr (std::is_invocable_v<const Handler&, Args...>)
                handler(args...);
            else
                handler();
        });
    });
}

} // namespace guard
