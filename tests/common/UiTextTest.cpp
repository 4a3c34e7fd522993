#include "common/UiText.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tovra {
namespace {

std::string answersOne(const char* context, const char* source) {
    if (std::strcmp(context, "Stations") == 0 && std::strcmp(source, "次は %1") == 0)
        return "Next: %1";
    return {};
}

TEST(UiText, SourceUnlessTheCatalogueAnswersAndFillInsInAnyOrder) {
    EXPECT_EQ(uiText("Stations", "次は %1"), "次は %1");
    setUiTranslator(answersOne);
    EXPECT_EQ(uiText("Stations", "次は %1"), "Next: %1");
    EXPECT_EQ(uiText("Stations", "ただいま %1"), "ただいま %1");  // no entry: the source
    EXPECT_EQ(uiText("Other", "次は %1"), "次は %1");             // entries are per context
    setUiTranslator(nullptr);
    EXPECT_EQ(uiText("Stations", "次は %1"), "次は %1");

    EXPECT_EQ(fillIn("%2 of %1", {"a", "b"}), "b of a");
    // A value is not read again for markers, and a marker without a value stays.
    EXPECT_EQ(fillIn("%1 / %3 / 100%", {"%2", "x"}), "%2 / %3 / 100%");
    EXPECT_EQ(fillIn("%1%1", {"ab"}), "abab");
}

}  // namespace
}  // namespace tovra
