#include "text/DefaultAttributes.h"

namespace quillora {

namespace {

// Holds one reference to a registered instance with the class's defaults. Made after the
// registry (its first use registers), so it is released before the registry goes.
template <class T>
class TDefaultHolder {
public:
    TDefaultHolder()
    {
        T scratch;
        held_ = T::GetRegistered(scratch);
        held_->AddRef();
    }
    ~TDefaultHolder() { held_->Release(); }
    T* Get() const { return held_; }

private:
    T* held_;
};

} // namespace

TRichParagraphAttributes* DefaultParagraphAttributes()
{
    static TDefaultHolder<TRichParagraphAttributes> holder;
    return holder.Get();
}

TRichTextAttributes* DefaultTextAttributes()
{
    static TDefaultHolder<TRichTextAttributes> holder;
    return holder.Get();
}

} // namespace quillora
