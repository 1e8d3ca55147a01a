#pragma once
// The fixture of the tests that load documents of the test element classes: English
// messages and the placeholder class of unknown elements registered.

#include <gtest/gtest.h>

#include <vector>

#include "elements/ClassesGroups.h"
#include "elements/Filer.h"
#include "elements/Messages.h"
#include "elements/Scheme.h"
#include "elements/Unaccepted.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "support/TestElements.h"

namespace quillora::testing {

// English messages and the placeholder class registered, for every test that loads.
class SchemeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedLanguage_ = Localization().Language();
        Localization().SetLanguage(1033);
        TElement_Unaccepted::Register();
    }
    void TearDown() override { Localization().SetLanguage(savedLanguage_); }

    // The texts of the scheme's messages, in order.
    static std::vector<String> MessageTexts(const TElementMessages& messages)
    {
        std::vector<String> texts;
        for (int i = 0; i < messages.Count(); ++i) texts.push_back(messages.GetItems(i).GetText());
        return texts;
    }

private:
    TLanguageId savedLanguage_ = 0;
};

} // namespace quillora::testing
