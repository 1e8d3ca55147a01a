#pragma once
// TNotifier: a broadcaster that hands notification objects to a list of handlers.
// Notifications travel as a chain (TNotify::Next); a handler walks the chain and picks
// the notifications it knows by their class.

#include <cstdint>
#include <memory>
#include <vector>

namespace quillora {

class TNotifier;

class TNotify {
public:
    TNotify() = default;
    TNotify(const TNotify&) = delete;
    TNotify& operator=(const TNotify&) = delete;
    // Frees the rest of the chain with it.
    virtual ~TNotify();

    // The notifier that sends the notification (set by Post).
    TNotifier* Notifier() const { return notifier_; }
    TNotify* Next() const { return next_; }
    // Appends `notify` (owned from now on) behind the last notification of the chain.
    void Append(TNotify* notify);

private:
    friend class TNotifier;
    TNotifier* notifier_ = nullptr;
    TNotify* next_ = nullptr;
};

// A notification with a bit set whose meaning belongs to the sender.
class TFlagsNotify : public TNotify {
public:
    explicit TFlagsNotify(int flags = 0) : flags_(flags) {}
    int Flags() const { return flags_; }

private:
    int flags_;
};

// A bound method taking the notifier and a notification (none when the notifier is
// being destroyed). Two items are the same when object and procedure are.
struct TLinkItem {
    using Proc = void (*)(void* object, TNotifier* sender, TNotify* notify);
    void* Object = nullptr;
    Proc Procedure = nullptr;

    bool operator==(const TLinkItem& other) const = default;
    void operator()(TNotifier* sender, TNotify* notify) const { Procedure(Object, sender, notify); }
};

// Binds void T::M(TNotifier*, TNotify*) to an object:
//   notifier.AddHandler(BindLink<&Client::Changed>(this));
template <auto Method, class T>
TLinkItem BindLink(T* object)
{
    TLinkItem item;
    item.Object = object;
    item.Procedure = [](void* o, TNotifier* sender, TNotify* notify) { (static_cast<T*>(o)->*Method)(sender, notify); };
    return item;
}

class TNotifier {
public:
    TNotifier() = default;
    TNotifier(const TNotifier&) = delete;
    TNotifier& operator=(const TNotifier&) = delete;
    // Calls every handler with no notification, so that clients drop their reference.
    virtual ~TNotifier();

    void AddHandler(const TLinkItem& handler);
    // Removes the most recently added occurrence; nothing when absent.
    void RemoveHandler(const TLinkItem& handler);
    int HandlerCount() const { return static_cast<int>(handlers_.size()); }

    // Takes ownership of the chain `notify`, calls every handler with it and frees it.
    void Post(TNotify* notify);
    // Posts a TFlagsNotify with `flags`.
    void PostFlags(int flags);

private:
    // Calls the handlers from the most recently added to the first. A handler removed
    // before its turn is not called, one added meanwhile is not called by this walk,
    // and the walk ends when the list has become empty.
    void CallHandlers(TNotify* notify);

    struct Registration {
        TLinkItem Handler;
        uint64_t Serial;
    };
    std::vector<Registration> handlers_;
    uint64_t nextSerial_ = 1;
};

} // namespace quillora
