#include <gtest/gtest.h>

#include "elements/Element.h"
#include "elements/VisualElement.h"

namespace quillora {
namespace {

class TElement_Star : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Star, TVisualElement)
};

TEST(ElementClassTest, TypeNameIsClassNameWithoutPrefix)
{
    EXPECT_EQ(TElement_Star::Class().GetTypeName(), u"Star");
    EXPECT_TRUE(TElement_Star::Class().InheritsFrom(TVisualElement::Class()));
    EXPECT_FALSE(TVisualElement::Class().InheritsFrom(TElement_Star::Class()));
    std::unique_ptr<TElement> e(TElement_Star::Class().Create(nullptr));
    EXPECT_EQ(e->GetTypeName(), u"Star");
    EXPECT_EQ(e->ID(), 0);
}

} // namespace
} // namespace quillora
