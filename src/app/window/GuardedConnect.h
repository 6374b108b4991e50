// The window's one way of running a handler from Qt's event dispatch: a
// handler that throws a std::exception ends there and the exception goes to
// an error report (the window's message display); nothing escapes into Qt.
//
//   Guarded(report, handler)            a callable for hooks (Chart's
//                                       std::function hooks, timers)
//   GuardedConnect(sender, signal, receiver, report, handler)
//                                       a signal connected to a guarded
//                                       handler: a member function of the
//                                       receiver or any callable
//   BindHandler(object, handler)        a member function bound to its
//                                       object (other callables unchanged)
//   GuardedConnector(context, object, report)
//                                       connects to the handlers of an
//                                       object that is not a QObject
//
// The handler takes either the signal's (or hook's) arguments or none, so a
// track bar's valueChanged(int) can run a handler without parameters. A
// handler that returns a value (an allow-scroll veto) returns the value's
// default (false) when it throws. GUI thread only, like the handlers.
#pragma once

#include <QObject>

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

namespace moravel {

/// Receives the exception a guarded handler threw.
using ErrorReport = std::function<void(const std::exception&)>;

namespace guarded_detail {

// Calls `handler` with the arguments when it takes them, otherwise without.
template <typename Handler, typename... Args>
decltype(auto) invokeWithOrWithout(Handler& handler, Args&&... args) {
    if constexpr (std::is_invocable_v<Handler&, Args&&...>) {
        return std::invoke(handler, std::forward<Args>(args)...);
    } else {
        return std::invoke(handler);
    }
}

}  // namespace guarded_detail

/// A member function of `Object` bound to an object; callable with exactly
/// the arguments the member takes (so the guard can tell whether to pass a
/// signal's arguments).
template <typename Object, typename Member>
struct BoundMember {
    Object* object;
    Member member;

    template <typename... Args>
    requires std::is_invocable_v<Member, Object*, Args...>
    decltype(auto) operator()(Args&&... args) const { return std::invoke(member, object, std::forward<Args>(args)...); }
};

/// `handler` bound to `object` when it is a member function, otherwise itself.
template <typename Object, typename Handler>
auto BindHandler(Object* object, Handler handler) {
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        return BoundMember<Object, Handler>{object, handler};
    } else {
        return handler;
    }
}

/// `handler` wrapped so that a std::exception it throws goes to `report`.
template <typename Handler>
auto Guarded(ErrorReport report, Handler handler) {
    return [report = std::move(report), handler = std::move(handler)](auto&&... args) mutable {
        using Result = decltype(guarded_detail::invokeWithOrWithout(handler, std::forward<decltype(args)>(args)...));
        try {
            return guarded_detail::invokeWithOrWithout(handler, std::forward<decltype(args)>(args)...);
        } catch (const std::exception& error) {
            report(error);
            if constexpr (!std::is_void_v<Result>) return Result{};
        }
    };
}

/// Connects `signal` of `sender` to `handler` (a member function of
/// `receiver`, or a callable), run in `receiver`'s thread and disconnected
/// when `receiver` goes; a std::exception goes to `report`.
template <typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection GuardedConnect(const Sender* sender, Signal signal, Receiver* receiver, ErrorReport report,
                                       Handler handler) {
    return QObject::connect(sender, signal, receiver, Guarded(std::move(report), BindHandler(receiver, handler)));
}

/// Connects signals and chart hooks to the handlers of `object`, a class
/// that need not be a QObject (a view or a controller the window owns), all
/// guarded with one report; the connections end when `context` goes, which
/// must not outlive `object`.
template <typename Object>
class GuardedConnector {
public:
    GuardedConnector(QObject& context, Object& object, ErrorReport report)
        : context_(&context), object_(&object), report_(std::move(report)) {}

    /// `signal` of `sender` runs `handler`: a member function of the object
    /// (taking the signal's arguments or none) or a callable.
    template <typename Sender, typename Signal, typename Handler>
    QMetaObject::Connection operator()(const Sender* sender, Signal signal, Handler handler) const {
        return GuardedConnect(sender, signal, context_, report_, BindHandler(object_, handler));
    }
    /// A guarded callable for a hook (a member function of the object or a callable).
    template <typename Handler>
    auto Guard(Handler handler) const {
        return Guarded(report_, BindHandler(object_, handler));
    }

private:
    QObject* context_;
    Object* object_;
    ErrorReport report_;
};

}  // namespace moravel
