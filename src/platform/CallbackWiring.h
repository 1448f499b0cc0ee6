#pragma once

#include <functional>
#include <utility>
#include <vector>

// Hooks the notification callbacks of controls to a window's handlers and
// unhooks every one of them when it goes. Declared as the window's last
// member, it goes first, so no notification of a control being torn down
// reaches a window that is half gone.
class CallbackWiring
{
public:
    CallbackWiring() = default;
    CallbackWiring(const CallbackWiring &) = delete;
    CallbackWiring &operator=(const CallbackWiring &) = delete;
    ~CallbackWiring()
    {
        for (const std::function<void()> &unhook : m_unhooks)
            unhook();
    }

    template <typename Signature, typename Handler>
    void hook(std::function<Signature> &callback, Handler &&handler)
    {
        callback = std::forward<Handler>(handler);
        m_unhooks.emplace_back([&callback] { callback = {}; });
    }

private:
    std::vector<std::function<void()>> m_unhooks;
};
