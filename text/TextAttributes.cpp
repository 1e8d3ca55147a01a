#include "text/TextAttributes.h"

#include <functional>

namespace quillora {

const TAttributesClass& TTextAttributes::Class()
{
    static const TAttributesClass cls{"TTextAttributes", &TAttributes::Class(), nullptr};
    return cls;
}

void TTextAttributes::SetIsLink(bool value)
{
    CheckWritable();
    Changing();
    isLink_ = value;
    Changed();
}

void TTextAttributes::SetHyperlink(const String& value)
{
    CheckWritable();
    Changing();
    hyperlink_ = value;
    Changed();
}

void TTextAttributes::Create()
{
    TAttributes::Create();
    isLink_ = false;
    hyperlink_.clear();
}

void TTextAttributes::Assign(const TAttributes& source)
{
    TAttributes::Assign(source);
    if (const auto* s = dynamic_cast<const TTextAttributes*>(&source)) {
        isLink_ = s->isLink_;
        hyperlink_ = s->hyperlink_;
    }
}

bool TTextAttributes::IsEqual(const TAttributes& other) const
{
    if (!TAttributes::IsEqual(other)) return false;
    const auto& o = static_cast<const TTextAttributes&>(other);
    return isLink_ == o.isLink_ && hyperlink_ == o.hyperlink_;
}

size_t TTextAttributes::HashValue() const
{
    size_t seed = TAttributes::HashValue();
    HashCombine(seed, isLink_ ? 1 : 0);
    HashCombine(seed, std::hash<String>()(hyperlink_));
    return seed;
}

} // namespace quillora
