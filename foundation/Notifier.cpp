#include "foundation/Notifier.h"

namespace quillora {

// ---- TNotify ----

TNotify::~TNotify()
{
    // Iteratively, so that a long chain does not nest destructors deeply.
    TNotify* rest = next_;
    next_ = nullptr;
    while (rest) {
        TNotify* following = rest->next_;
        rest->next_ = nullptr;
        delete rest;
        rest = following;
    }
}

void TNotify::Append(TNotify* notify)
{
    TNotify* last = this;
    while (last->next_) last = last->next_;
    last->next_ = notify;
}

// ---- TNotifier ----

TNotifier::~TNotifier()
{
    try {
        CallHandlers(nullptr);
    } catch (...) {
        // A destructor cannot pass a failure on; the clients have been told as far as possible.
    }
}

void TNotifier::AddHandler(const TLinkItem& handler)
{
    handlers_.push_back({handler, nextSerial_++});
}

void TNotifier::RemoveHandler(const TLinkItem& handler)
{
    for (auto it = handlers_.rbegin(); it != handlers_.rend(); ++it) {
        if (it->Handler == handler) {
            handlers_.erase(std::next(it).base());
            return;
        }
    }
}

void TNotifier::CallHandlers(TNotify* notify)
{
    // Registrations carry increasing serials: the walk always goes on with the next
    // lower serial still registered, so it keeps its place whatever handlers do.
    uint64_t below = nextSerial_;
    while (!handlers_.empty()) {
        const Registration* next = nullptr;
        for (auto it = handlers_.rbegin(); it != handlers_.rend(); ++it) {
            if (it->Serial < below) {
                next = &*it;
                break;
            }
        }
        if (!next) return;
        below = next->Serial;
        TLinkItem handler = next->Handler; // the call may change the list
        handler(this, notify);
    }
}

void TNotifier::Post(TNotify* notify)
{
    std::unique_ptr<TNotify> owned(notify);
    for (TNotify* n = notify; n; n = n->next_) n->notifier_ = this;
    CallHandlers(notify);
}

void TNotifier::PostFlags(int flags)
{
    Post(new TFlagsNotify(flags));
}

} // namespace quillora
